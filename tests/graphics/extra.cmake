# The buttons' window operations need the window system; until it is in the
# build, the graphics tests link a shim that no test calls.
if(TARGET test_graphics AND NOT EXISTS ${CMAKE_SOURCE_DIR}/platform/window/Window.cpp)
  target_sources(test_graphics PRIVATE ${CMAKE_CURRENT_LIST_DIR}/support/WindowLinkStub.cpp)
endif()
