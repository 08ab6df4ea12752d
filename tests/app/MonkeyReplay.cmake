# cmake -DPROGRAM=... -DWORK=... -P MonkeyReplay.cmake
# The same seed gives the same monkey run, and the monkey's input kept as a
# script plays that run again: the three traces are the same line for line.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${rc}): ${out}${err}")
  endif()
endfunction()

run(${PROGRAM} --headless --monkey 90 --seed 3 --monkey-script first.txt --trace first-trace.txt)
run(${PROGRAM} --headless --monkey 90 --seed 3 --monkey-script second.txt --trace second-trace.txt)
run(${PROGRAM} --headless --script first.txt --seed 3 --trace replay-trace.txt)
# Each monkey run saves its sessions beside its own script: the traces name
# those folders.
file(READ ${WORK}/first-trace.txt first)
foreach(other second replay)
  file(READ ${WORK}/${other}-trace.txt trace)
  string(REPLACE "/second.txt.files/" "/first.txt.files/" trace "${trace}")
  if(NOT trace STREQUAL first)
    message(FATAL_ERROR "${other}-trace.txt differs from first-trace.txt in ${WORK}")
  endif()
endforeach()
