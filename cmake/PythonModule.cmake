# Whether to build the Python module brennicqt. It is built for the Python
# that has pivy: Debian's /usr/bin/python3 with python3-pivy (another python3
# may come first on PATH), and needs SWIG, Python's headers and NumPy. On by
# default where all of these are present; off in sanitizer builds, whose
# runtime an interpreter does not load first.
if(NOT DEFINED Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python3_EXECUTABLE /usr/bin/python3)
endif()
set(brennicqt_python_ready OFF)
if(NOT BRENNICQT_SANITIZE)
  find_package(SWIG 4.0 QUIET)
  find_package(Python3 QUIET COMPONENTS Interpreter Development.Module)
  if(SWIG_FOUND AND Python3_FOUND)
    execute_process(COMMAND ${Python3_EXECUTABLE} -c "import pivy.coin, numpy"
      RESULT_VARIABLE brennicqt_python_status OUTPUT_QUIET ERROR_QUIET)
    if(brennicqt_python_status EQUAL 0)
      set(brennicqt_python_ready ON)
    endif()
  endif()
endif()
option(BRENNICQT_BUILD_PYTHON
  "Build the Python module brennicqt (SWIG, Python headers, pivy and NumPy)"
  ${brennicqt_python_ready})
if(BRENNICQT_BUILD_PYTHON AND NOT brennicqt_python_ready)
  message(FATAL_ERROR "BRENNICQT_BUILD_PYTHON needs SWIG 4, the headers of "
    "${Python3_EXECUTABLE} and its modules pivy and numpy (scripts/setup.sh installs "
    "them), and no sanitizer")
endif()
if(BRENNICQT_BUILD_PYTHON)
  # Where Debian's Python looks for modules under an installation prefix.
  set(BRENNICQT_PYTHON_INSTALL_DIR
    "lib/python3.${Python3_VERSION_MINOR}/dist-packages" CACHE STRING
    "Where cmake --install puts the Python module, relative to the prefix")
endif()
