# The layer include check (cmake/LayersIncludeDownward.cmake) on small source
# trees of one file each: it refuses every include of a layer that is not
# below the file's own, in every spelling, and takes every other include.
# Run with -DCHECK=<the check> -DWORK=<scratch folder>.
cmake_minimum_required(VERSION 3.25)

# file | the include line | refused or taken
set(cases
  "scenes/Scene.cpp|#include \"app/PlinkpadView.h\"|refused"
  "scenes/center/CenterScene.cpp|#include \"app/PlinkpadApp.h\"|refused"
  "scenes/Scene.h|  #  include \"app/PlinkpadView.h\"|refused"
  "recording/RecordPalette.cpp|#include \"scenes/Scene.h\"|refused"
  "recording/RecordPalette.h|#include <scenes/ScenePalette.h>|refused"
  "recording/codec/SessionFile.cpp|#include \"recording/Session.h\"|refused"
  "graphics/DIB.cpp|#include \"audio/SoundEngine.h\"|refused"
  "audio/Mixer.cpp|#include \"graphics/DIB.h\"|refused"
  "platform/Host.cpp|#include \"graphics/DIB.h\"|refused"
  "graphics/DIB.cpp|#include \"tools/assetgen/Layout.h\"|refused"
  "app/PlinkpadView.cpp|#include \"scenes/Scene.h\"|taken"
  "app/monkey/Sight.cpp|#include \"recording/RecordPalette.h\"|taken"
  "scenes/day/DayScene.cpp|#include \"recording/Session.h\"|taken"
  "recording/Session.cpp|#include \"recording/codec/SessionFile.h\"|taken"
  "recording/codec/SessionFile.cpp|#include \"platform/text/Utf8.h\"|taken"
  "graphics/DIB.cpp|#include \"platform/gdi/Bitmap.h\"|taken"
  "platform/sdl/SdlBackend.cpp|#include <SDL2/SDL.h>|taken"
  "scenes/Scene.cpp|#include \"Scene.h\"|taken"
  "tests/app/StageViewTest.cpp|#include \"app/PlinkpadView.h\"|taken"
  "scenes/Scene.cpp|// #include \"app/PlinkpadView.h\" no longer|taken")

set(failures)
set(n 0)
foreach(case ${cases})
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 file)
  list(GET parts 1 line)
  list(GET parts 2 expected)
  math(EXPR n "${n} + 1")
  set(tree ${WORK}/case${n})
  file(REMOVE_RECURSE ${tree})
  foreach(folder platform graphics audio recording/codec scenes app tools tests)
    file(MAKE_DIRECTORY ${tree}/${folder})
  endforeach()
  file(WRITE ${tree}/${file} "${line}\nint x;\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${tree} -P ${CHECK}
                  RESULT_VARIABLE status ERROR_VARIABLE err OUTPUT_QUIET)
  if(status EQUAL 0)
    set(got taken)
  else()
    set(got refused)
    string(FIND "${err}" "${file} includes" named)
    if(named EQUAL -1)
      list(APPEND failures "${file} '${line}': refused without naming the file:\n${err}")
    endif()
  endif()
  if(NOT got STREQUAL expected)
    list(APPEND failures "${file} '${line}': ${got}, expected ${expected}")
  endif()
endforeach()
if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
