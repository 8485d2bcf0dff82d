# Coin's reader loads a node class it does not know from a shared library
# named after the class (libPoSceneView.so, found on the ordinary library
# search path) and calls the class's initClass in it. Every public node class
# gets such a name: a link to this library beside it, in the build tree and
# in the install, so that any Coin program reads our scene files.
# BRENNICQT_NODE_CLASSES (set by the caller) lists the classes.
foreach(class IN LISTS BRENNICQT_NODE_CLASSES)
  set(link lib${class}${CMAKE_SHARED_LIBRARY_SUFFIX})
  add_custom_command(TARGET BrennicQt POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E create_symlink $<TARGET_SONAME_FILE_NAME:BrennicQt>
            $<TARGET_FILE_DIR:BrennicQt>/${link}
    VERBATIM)
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/${link}\")
    message(STATUS \"Installing: \${link}\")
    file(CREATE_LINK $<TARGET_SONAME_FILE_NAME:BrennicQt> \"\${link}\" SYMBOLIC)")
endforeach()
