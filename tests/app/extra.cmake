# Two minutes of program time of the monkey (app/monkey/Monkey.h) with a
# fixed seed: random use of every scene, failing on a hang or anything lost.
# The asan build runs it under AddressSanitizer and UndefinedBehaviorSanitizer.
add_test(NAME monkey_two_minutes COMMAND plinkpad --headless --monkey 120 --seed 20240)
set_tests_properties(monkey_two_minutes PROPERTIES TIMEOUT 1800)
