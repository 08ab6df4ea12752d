# Installing: the installed program from a moved prefix, and the Debian
# package. Both use what the build already made (no second build).
if(TARGET plinkpad AND TARGET sts AND TARGET icons)
  add_test(NAME install_and_run_installed
    COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/installed
            -P ${CMAKE_CURRENT_LIST_DIR}/InstalledRun.cmake)
  # A sanitizer build's programs are not what a package ships.
  if(NOT PLINKPAD_SANITIZE)
    add_test(NAME debian_package
      COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/package
              -DCPACK=${CMAKE_CPACK_COMMAND} -P ${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
    set_tests_properties(debian_package PROPERTIES TIMEOUT 600)
  endif()
endif()
