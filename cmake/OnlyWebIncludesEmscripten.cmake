# Run as `cmake -DSOURCE_DIR=... -P` at every web build: emscripten's toolchain
# puts its headers on every file's include path, so this check keeps them in
# the web backend (platform/web/), as the link dependencies keep SDL in
# platform/sdl/.
set(offenders)
foreach(folder app audio graphics platform recording scenes)
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
  foreach(source ${sources})
    if(source MATCHES "^${SOURCE_DIR}/platform/web/")
      continue()
    endif()
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]emscripten")
    if(includes)
      list(APPEND offenders ${source})
    endif()
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " list)
  message(FATAL_ERROR "Only platform/web/ may include emscripten's headers; these do too:\n  ${list}")
endif()
