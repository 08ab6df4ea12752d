# The video file writer, read back through FFmpeg's libraries (VideoReader).
if(TARGET pp_videofile)
  plinkpad_test(video pp_videofile PkgConfig::LIBAV)
endif()
