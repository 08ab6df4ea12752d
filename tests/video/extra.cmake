# Video renders: the video file writer on its own, and the program's videos,
# read back through FFmpeg's libraries (VideoReader). They share the render
# tests' sessions and the scripted runs' drive and layout helpers.
if(TARGET pp_videofile)
  plinkpad_test(video pp_videofile pp_app pp_assetgen PkgConfig::LIBAV)
  target_sources(test_video PRIVATE ${CMAKE_SOURCE_DIR}/tests/render/WorldCuts.cpp
    ${CMAKE_SOURCE_DIR}/tests/render/RenderRun.cpp ${CMAKE_SOURCE_DIR}/tests/scenes/HubRun.cpp
    ${CMAKE_SOURCE_DIR}/tests/scenes/WorldRun.cpp)
endif()
