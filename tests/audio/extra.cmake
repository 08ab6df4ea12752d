# The sound engine and mixer with a real audio thread under ThreadSanitizer.
# A small program of its own, compiled from the audio sources and the three
# platform files they need, so the tree is not built a second time. Left out
# of the sanitizer and fuzz builds, whose instrumentation does not mix with it.
if(NOT PLINKPAD_SANITIZE AND NOT PLINKPAD_FUZZ)
  find_package(Threads REQUIRED)
  file(GLOB tsan_audio_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/audio/*.cpp)
  add_executable(tsan_audio_threads ${CMAKE_CURRENT_LIST_DIR}/threads/AudioThreadsTest.cpp ${tsan_audio_sources}
    ${CMAKE_SOURCE_DIR}/platform/Host.cpp ${CMAKE_SOURCE_DIR}/platform/Trace.cpp ${CMAKE_SOURCE_DIR}/platform/Clock.cpp)
  target_compile_options(tsan_audio_threads PRIVATE -fsanitize=thread -O1 -g)
  target_link_options(tsan_audio_threads PRIVATE -fsanitize=thread)
  target_link_libraries(tsan_audio_threads PRIVATE Threads::Threads)
  add_test(NAME audio_threads_under_tsan COMMAND tsan_audio_threads)
  set_tests_properties(audio_threads_under_tsan PROPERTIES ENVIRONMENT "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1"
                       TIMEOUT 300)
endif()
