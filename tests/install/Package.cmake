# Builds the Debian package from the build folder as it is and checks its
# files, its dependencies (found from the libraries the programs link) and
# that lintian reports no error.
# -DBUILD=<build folder> -DWORK=<scratch folder> -DCPACK=<cpack>
include(${CMAKE_CURRENT_LIST_DIR}/Checks.cmake)

file(REMOVE_RECURSE ${WORK})
must("cpack" ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK})
file(GLOB debs ${WORK}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package in ${WORK}, found: ${debs}")
endif()

must("dpkg-deb --field" dpkg-deb --field ${debs} Package Depends)
expect_all("control" "${out}" "Package: plinkpad" "libc6" "libstdc++6" "libsdl2-2.0-0" "libpng16-16" "libfreetype6"
           "libavformat59" "libavcodec59" "libswscale6" "libswresample4" "fonts-dejavu-core")

must("dpkg-deb --contents" dpkg-deb --contents ${debs})
expect_all("contents" "${out}" " ./usr/bin/plinkpad\n" " ./usr/bin/sts\n" " ./usr/share/plinkpad/Plinkpad.INI\n"
           " ./usr/share/plinkpad/disc/Directx/Drivers/\n" " ./usr/share/plinkpad/disc/plinkpad/assets/center/"
           " ./usr/share/applications/plinkpad.desktop\n" " ./usr/share/icons/hicolor/48x48/apps/plinkpad.png\n"
           " ./usr/share/icons/hicolor/128x128/apps/plinkpad.png\n" " ./usr/share/icons/hicolor/256x256/apps/plinkpad.png\n"
           " ./usr/share/icons/hicolor/48x48/mimetypes/application-x-plinkpad-session.png\n"
           " ./usr/share/mime/packages/plinkpad.xml\n"
           " ./usr/share/man/man1/plinkpad.1.gz\n" " ./usr/share/man/man1/sts.1.gz\n" " ./usr/share/doc/plinkpad/copyright\n")
# Nothing else: no build or test files, no caches of the desktop (the
# package manager's triggers make them), everything owned by root.
string(REGEX REPLACE "\n$" "" listing "${out}")
string(REPLACE "\n" ";" lines "${listing}")
foreach(line ${lines})
  if(NOT line MATCHES " root/root .* \\./(usr/(share/|bin/)?)?$" AND
     NOT line MATCHES " root/root .* \\./usr/(bin/(plinkpad|sts)|share/(plinkpad|icons|man|doc)/.*)$" AND
     NOT line MATCHES " root/root .* \\./usr/share/(applications/(plinkpad\\.desktop)?|mime/(packages/(plinkpad\\.xml)?)?)$")
    message(FATAL_ERROR "unexpected in the package: ${line}")
  endif()
endforeach()

execute_process(COMMAND lintian --tag-display-limit 0 ${debs} RESULT_VARIABLE rc OUTPUT_VARIABLE report ERROR_VARIABLE report)
message(STATUS "lintian:\n${report}")
if(NOT rc EQUAL 0 OR report MATCHES "(^|\n)E: ")
  message(FATAL_ERROR "lintian reports errors")
endif()

# Passed: the scratch copies are large.
file(REMOVE_RECURSE ${WORK})
