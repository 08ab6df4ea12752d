# Run by `cmake --install` (`make install`) once the files are in place:
# registers the session files' MIME type, the desktop entry that opens them
# and the icons with the desktop's caches under the prefix. A staged install
# (DESTDIR, as the Debian package is built) registers nothing: there the
# package manager's triggers do it on the machine the package lands on.
# PLINKPAD_DATA_DIR: the data folder, as the build configured it.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
set(data "${PLINKPAD_DATA_DIR}")
if(NOT IS_ABSOLUTE "${data}")
  set(data "${CMAKE_INSTALL_PREFIX}/${data}")
endif()

# Runs `program` with the remaining arguments; a missing or failing one is
# said and skipped: the files are installed either way.
function(register what program)
  find_program(found ${program} NO_CACHE)
  if(NOT found)
    message(STATUS "Not registered (no ${program}): ${what}")
    return()
  endif()
  execute_process(COMMAND ${found} ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(WARNING "${program} failed (${rc}): ${what} not registered")
  endif()
endfunction()

register("the session files' MIME type" update-mime-database "${data}/mime")
register("the desktop entry's MIME types" update-desktop-database "${data}/applications")
# An icon cache that exists already would hide the new icons; none is made
# where there was none, as the theme is read without one.
if(EXISTS "${data}/icons/hicolor/icon-theme.cache")
  register("the icons" gtk-update-icon-cache -q -t -f "${data}/icons/hicolor")
endif()
