# Helpers of the install tests (cmake -P scripts).

# Runs a command that must succeed; its standard output lands in `out`.
function(must what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${stdout}${stderr}")
  endif()
  set(out "${stdout}" PARENT_SCOPE)
endfunction()

# Fails unless `text` holds every one of the remaining arguments.
function(expect_all what text)
  foreach(want ${ARGN})
    string(FIND "${text}" "${want}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${what}: no '${want}' in:\n${text}")
    endif()
  endforeach()
endfunction()
