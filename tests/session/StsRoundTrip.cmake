# cmake -DSTS=... -DDATA=... -DWORK=... -P StsRoundTrip.cmake
# Builds a session from JSON, prints it back as JSON (which must equal the
# input text), rebuilds it (same bytes) and shows it.
file(MAKE_DIRECTORY ${WORK})
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${rc}): ${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(${STS} build ${DATA}/session.json ${WORK}/session.sts)
run(${STS} json ${WORK}/session.sts)
file(WRITE ${WORK}/session.json "${out}")
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DATA}/session.json ${WORK}/session.json RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "sts json does not give back the input: compare ${DATA}/session.json ${WORK}/session.json")
endif()

run(${STS} build ${WORK}/session.json ${WORK}/again.sts)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/session.sts ${WORK}/again.sts RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "rebuilding gives other bytes")
endif()
file(SIZE ${WORK}/session.sts size)
# header 14, three empty tracks 12, Center 4+4+4+5*16+4+32, Day 4+4+4+16+12+2*12+32, Gama 4+4+4+12+32
if(NOT size EQUAL 306)
  message(FATAL_ERROR "session.sts is ${size} bytes, expected 306")
endif()

run(${STS} show ${WORK}/session.sts)
foreach(line "Track 2: \"Center.2\", world Center (0), 5 events" "Track 6: \"Gama: «été» à Noël, ½ € — ÿÆØÅ!\", world Gama (5), 0 events"
             "piece 310 at (-3, 65)")
  string(FIND "${out}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "sts show lacks \"${line}\":\n${out}")
  endif()
endforeach()
