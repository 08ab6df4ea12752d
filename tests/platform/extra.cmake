# The SDL2 backend's tests: their own program (only it links SDL), run under
# a virtual X server so CI exercises the real window and audio paths.
if(TARGET pp_platform_sdl)
  add_executable(test_platform_sdl ${CMAKE_CURRENT_LIST_DIR}/sdl/SdlBackendTest.cpp)
  target_link_libraries(test_platform_sdl PRIVATE pp_platform_sdl GTest::gtest GTest::gtest_main)
  find_program(XVFB_RUN xvfb-run)
  if(XVFB_RUN)
    add_test(NAME platform_sdl_under_xvfb
             COMMAND ${XVFB_RUN} -a -s "-screen 0 1024x768x24" $<TARGET_FILE:test_platform_sdl>)
    set_tests_properties(platform_sdl_under_xvfb PROPERTIES ENVIRONMENT "SDL_AUDIODRIVER=dummy" TIMEOUT 120)
  else()
    add_test(NAME platform_sdl COMMAND test_platform_sdl)
    set_tests_properties(platform_sdl PROPERTIES ENVIRONMENT "SDL_AUDIODRIVER=dummy")
  endif()
endif()
