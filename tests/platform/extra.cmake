# The SDL2 backend's tests: their own program (only it links SDL), run under
# a virtual X server so CI exercises the real window and audio paths. The X
# and driver libraries SDL loads at run time keep allocations past exit, which
# the leak checker of sanitizer builds would report as ours: it is off here.
if(TARGET pp_platform_sdl)
  add_executable(test_platform_sdl ${CMAKE_CURRENT_LIST_DIR}/sdl/SdlBackendTest.cpp)
  target_link_libraries(test_platform_sdl PRIVATE pp_platform_sdl GTest::gtest GTest::gtest_main)
  find_program(XVFB_RUN xvfb-run)
  if(XVFB_RUN)
    add_test(NAME platform_sdl_under_xvfb
             COMMAND ${XVFB_RUN} -a -s "-screen 0 1024x768x24" $<TARGET_FILE:test_platform_sdl>)
    set_tests_properties(platform_sdl_under_xvfb PROPERTIES ENVIRONMENT "SDL_AUDIODRIVER=dummy;ASAN_OPTIONS=detect_leaks=0" TIMEOUT 120)
  else()
    add_test(NAME platform_sdl COMMAND test_platform_sdl)
    set_tests_properties(platform_sdl PROPERTIES ENVIRONMENT "SDL_AUDIODRIVER=dummy;ASAN_OPTIONS=detect_leaks=0")
  endif()
endif()
