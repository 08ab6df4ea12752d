# The render tests share the scripted runs' drive and layout helpers and read
# sound files back with libsndfile.
if(TARGET test_render)
  target_sources(test_render PRIVATE ${CMAKE_SOURCE_DIR}/tests/scenes/HubRun.cpp ${CMAKE_SOURCE_DIR}/tests/scenes/WorldRun.cpp)
  target_link_libraries(test_render PRIVATE PkgConfig::SNDFILE)
endif()
