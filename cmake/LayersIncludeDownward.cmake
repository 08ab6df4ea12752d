# Run as `cmake -DSOURCE_DIR=... -P` at every build: a layer's files include
# only their own layer's headers and those of the layers below. The source
# tree's top is on every file's include path, so the compiler alone would take
# an upward include; the libraries' link lines keep the calls downward, this
# keeps the includes so.
#
# Layers, bottom to top; each entry is a folder and the folders whose headers
# its files may include (a deeper folder is listed before the one holding it).
# graphics/ and audio/ are one layer and know nothing of each other; the
# session file format (recording/codec/) stands on its own for the tools.
cmake_minimum_required(VERSION 3.25)
set(layers
  "platform:platform"
  "graphics:platform graphics"
  "audio:platform audio"
  "recording/codec:platform recording/codec"
  "recording:platform graphics audio recording"
  "scenes:platform graphics audio recording scenes"
  "app:platform graphics audio recording scenes app")

file(GLOB top_entries RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
set(top_folders)
foreach(entry ${top_entries})
  if(IS_DIRECTORY ${SOURCE_DIR}/${entry})
    list(APPEND top_folders ${entry})
  endif()
endforeach()

set(checked)
set(offenders)
foreach(layer ${layers})
  string(REPLACE ":" ";" parts "${layer}")
  list(GET parts 0 folder)
  list(GET parts 1 allowed)
  set(allowed_text "${allowed}")
  string(REPLACE " " ";" allowed "${allowed}")
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
  foreach(source ${sources})
    if(source IN_LIST checked)
      continue()  # it belongs to a deeper folder listed earlier
    endif()
    list(APPEND checked ${source})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"][^>\"]+/")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*$" "\\1" included "${line}")
      string(REGEX REPLACE "/.*$" "" first "${included}")
      if(NOT first IN_LIST top_folders)
        continue()  # a system or library header
      endif()
      set(ok FALSE)
      foreach(below ${allowed})
        string(FIND "${included}" "${below}/" at)
        if(at EQUAL 0)
          set(ok TRUE)
        endif()
      endforeach()
      if(NOT ok)
        file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
        list(APPEND offenders "${name} includes ${included} (${folder}/ may include only ${allowed_text})")
      endif()
    endforeach()
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " list)
  message(FATAL_ERROR "A layer includes only the layers below it; these include others:\n  ${list}")
endif()
