# The sts tool: a JSON -> .sts -> JSON round trip, refusals of bad input
# with exit status 1, and session links there and back.
if(TARGET sts)
  add_test(NAME sts_round_trip
    COMMAND ${CMAKE_COMMAND} -DSTS=$<TARGET_FILE:sts> -DDATA=${CMAKE_CURRENT_SOURCE_DIR}/session/data
            -DWORK=${CMAKE_CURRENT_BINARY_DIR}/sts_round_trip -P ${CMAKE_CURRENT_SOURCE_DIR}/session/StsRoundTrip.cmake)
  add_test(NAME sts_refuses_bad_input
    COMMAND ${CMAKE_COMMAND} -DSTS=$<TARGET_FILE:sts> -DDATA=${CMAKE_CURRENT_SOURCE_DIR}/session/data
            -DCORPUS=${CMAKE_SOURCE_DIR}/fuzz/corpus/sts
            -DWORK=${CMAKE_CURRENT_BINARY_DIR}/sts_refuses -P ${CMAKE_CURRENT_SOURCE_DIR}/session/StsRefusals.cmake)
  add_test(NAME sts_link_round_trip
    COMMAND ${CMAKE_COMMAND} -DSTS=$<TARGET_FILE:sts> -DDATA=${CMAKE_CURRENT_SOURCE_DIR}/session/data
            -DCORPUS=${CMAKE_SOURCE_DIR}/fuzz/corpus/sts
            -DWORK=${CMAKE_CURRENT_BINARY_DIR}/sts_link -P ${CMAKE_CURRENT_SOURCE_DIR}/session/StsLink.cmake)
endif()

# The link tests make streams past the link encoder's bound with zlib itself.
if(TARGET test_session)
  find_package(ZLIB REQUIRED)
  target_link_libraries(test_session PRIVATE ZLIB::ZLIB)
endif()
