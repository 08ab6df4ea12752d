# Installs the build into a scratch prefix and moves the prefix, then checks
# what a user gets: the program reaches the hub on its installed disc with no
# message and writes nothing into the prefix; PLINKPAD_DRIVES still decides
# the disc; the desktop entry is valid; the icons are RGBA PNGs of their
# folder's size; the desktop knows the session files' type and opens them
# with the program; the manual pages name everything --help lists.
# -DBUILD=<build folder> -DWORK=<scratch folder>
include(${CMAKE_CURRENT_LIST_DIR}/Checks.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home ${WORK}/no-disc)
must("cmake --install" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/staged)
file(RENAME ${WORK}/staged ${WORK}/prefix)
set(prefix ${WORK}/prefix)
file(GLOB_RECURSE before LIST_DIRECTORIES true ${prefix}/*)

# Runs the installed program headless to the hub and a little past it (the
# end of the script quits), from a home folder of its own: `rc`, `trace`.
file(WRITE ${WORK}/hub.script "wait 3500\n")
function(run_installed name)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${ARGN} HOME=${WORK}/home
                          ${prefix}/bin/plinkpad --headless --script ${WORK}/hub.script --trace ${WORK}/${name}.trace
                  WORKING_DIRECTORY ${WORK}/home RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  file(READ ${WORK}/${name}.trace text)
  set(rc ${result} PARENT_SCOPE)
  set(trace "${output}${text}" PARENT_SCOPE)
endfunction()

run_installed(own-disc --unset=PLINKPAD_DRIVES)
if(NOT (rc EQUAL 0 AND trace MATCHES "\n[0-9]+ scene 0\n" AND NOT trace MATCHES " message "))
  message(FATAL_ERROR "the installed program did not reach the hub quietly (exit ${rc}):\n${trace}")
endif()
run_installed(no-disc PLINKPAD_DRIVES=${WORK}/no-disc)
if(NOT (rc EQUAL 1 AND trace MATCHES "message Please make sure the Plinkpads CD-ROM"))
  message(FATAL_ERROR "PLINKPAD_DRIVES did not replace the installed disc (exit ${rc}):\n${trace}")
endif()
file(GLOB_RECURSE after LIST_DIRECTORIES true ${prefix}/*)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the program wrote into its prefix")
endif()

must("desktop-file-validate" desktop-file-validate ${prefix}/share/applications/plinkpad.desktop)
if(NOT out STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate:\n${out}")
endif()

foreach(size 48 128 256)
  foreach(icon apps/plinkpad mimetypes/application-x-plinkpad-session)
    must("file" file -b ${prefix}/share/icons/hicolor/${size}x${size}/${icon}.png)
    expect_all("icon ${icon} ${size}" "${out}" "PNG image data, ${size} x ${size}, 8-bit/color RGBA")
  endforeach()
endforeach()

# The install registered the session files' type and the entry that opens
# them: the desktop's tools, looking only into the moved prefix, name both.
# xdg-mime asks GIO (as on a GNOME desktop); without a desktop it would ask
# file(1), which knows no shared-mime-info types.
file(WRITE ${WORK}/home/Jam.STS "any bytes: the name decides")
set(desktop ${CMAKE_COMMAND} -E env HOME=${WORK}/home XDG_DATA_HOME=${WORK}/home/.local/share
    XDG_DATA_DIRS=${prefix}/share XDG_CONFIG_HOME=${WORK}/home/.config XDG_CONFIG_DIRS=${WORK}/no-config
    XDG_CURRENT_DESKTOP=GNOME)
must("xdg-mime query filetype" ${desktop} xdg-mime query filetype ${WORK}/home/Jam.STS)
if(NOT out STREQUAL "application/x-plinkpad-session\n")
  message(FATAL_ERROR "xdg-mime query filetype Jam.STS: '${out}'")
endif()
must("xdg-mime query default" ${desktop} xdg-mime query default application/x-plinkpad-session)
if(NOT out STREQUAL "plinkpad.desktop\n")
  message(FATAL_ERROR "xdg-mime query default application/x-plinkpad-session: '${out}'")
endif()

# Every option and command in a program's --help has its place in its page.
foreach(program plinkpad sts)
  must("${program} --help" ${prefix}/bin/${program} --help)
  string(REGEX MATCHALL "(--[a-z][a-z-]*|sts [a-z]+)" names "${out}")
  must("gzip" gzip -dc ${prefix}/share/man/man1/${program}.1.gz)
  string(REPLACE "\\-" "-" page "${out}")
  expect_all("manual page of ${program}" "${page}" ${names})
endforeach()

# Passed: the scratch copies are large.
file(REMOVE_RECURSE ${WORK})
