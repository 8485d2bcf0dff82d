# BrennicQt.pc, installed beside the CMake package for builds that use
# pkg-config. It finds the prefix from its own place, so the installed tree
# can be moved. Coin and SoQt ship no usable .pc files on every system
# (Debian's SoQt.pc requires a Coin.pc that Debian lacks), so their flags are
# written out from the CMake packages found here; Qt and OpenGL are required
# by name.
set(pc_library_dirs "")
set(pc_include_dirs "")
foreach(dependency Coin SoQt)
  get_target_property(location ${dependency}::${dependency} LOCATION)
  get_filename_component(directory "${location}" DIRECTORY)
  list(APPEND pc_library_dirs "${directory}")
  get_target_property(includes ${dependency}::${dependency} INTERFACE_INCLUDE_DIRECTORIES)
  foreach(include IN LISTS includes)
    if(include AND NOT include STREQUAL "/usr/include")
      list(APPEND pc_include_dirs "${include}")
    endif()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES pc_library_dirs)
list(REMOVE_DUPLICATES pc_include_dirs)
set(BRENNICQT_PC_LIBS "")
foreach(directory IN LISTS pc_library_dirs)
  string(APPEND BRENNICQT_PC_LIBS " -L${directory}")
endforeach()
string(APPEND BRENNICQT_PC_LIBS " -lSoQt -lCoin")
set(BRENNICQT_PC_CFLAGS "")
foreach(directory IN LISTS pc_include_dirs)
  string(APPEND BRENNICQT_PC_CFLAGS " -I${directory}")
endforeach()
# A Qt built with reduced relocations refuses code compiled as a position
# independent executable, which Debian's compilers make by default; Qt's CMake
# package asks for -fPIC, Qt's own .pc files do not.
get_target_property(qt_compile_options Qt5::Core INTERFACE_COMPILE_OPTIONS)
if(qt_compile_options AND "-fPIC" IN_LIST qt_compile_options)
  string(APPEND BRENNICQT_PC_CFLAGS " -fPIC")
endif()
file(RELATIVE_PATH BRENNICQT_PC_TO_PREFIX "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
string(REGEX REPLACE "/$" "" BRENNICQT_PC_TO_PREFIX "${BRENNICQT_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/BrennicQt.pc.in ${CMAKE_CURRENT_BINARY_DIR}/BrennicQt.pc
  @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/BrennicQt.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
