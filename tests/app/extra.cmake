# Two minutes of program time of the monkey (app/monkey/Monkey.h) with a
# fixed seed: random use of every scene, failing on a hang or anything lost.
# The asan build runs it under AddressSanitizer and UndefinedBehaviorSanitizer.
add_test(NAME monkey_two_minutes COMMAND plinkpad --headless --monkey 120 --seed 20240)
set_tests_properties(monkey_two_minutes PROPERTIES TIMEOUT 1800)
# Same seed, same run; the kept input replays it.
add_test(NAME monkey_replays
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:plinkpad> -DWORK=${CMAKE_CURRENT_BINARY_DIR}/monkey_replays
          -P ${CMAKE_CURRENT_LIST_DIR}/MonkeyReplay.cmake)
set_tests_properties(monkey_replays PROPERTIES TIMEOUT 1800)
