# The check every build runs on the layers' includes, on trees made to break it.
add_test(NAME layers_include_downward
  COMMAND ${CMAKE_COMMAND} -DCHECK=${CMAKE_SOURCE_DIR}/cmake/LayersIncludeDownward.cmake
          -DWORK=${CMAKE_CURRENT_BINARY_DIR}/layers_include_downward -P ${CMAKE_CURRENT_LIST_DIR}/LayerIncludes.cmake)
