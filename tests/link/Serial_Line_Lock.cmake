# The few tests that run a simulated WCU on a pseudo-terminal in real time
# (the serial layer itself and the simulator end to end) keep one resource
# lock, so that CTest never runs them beside each other. Every test of the
# protocol and the polling thread runs over an in-process line on simulated
# time and needs none.
set(ORDEXIA_SERIAL_LINE_SUITES "Com_Port|Wcu_Link_Over_Pseudo_Terminal|Polling_Thread_Over_Pseudo_Terminal")

# The suites above of <target> run apart, as one test holding the lock;
# the program's shards run every other suite.
function(ordexia_serial_line_lock target)
  if(NOT TARGET ${target})
    return()
  endif()
  string(REPLACE "|" ".*:" suites "${ORDEXIA_SERIAL_LINE_SUITES}")
  set(suites "${suites}.*")
  get_property(shard_count TARGET ${target} PROPERTY ORDEXIA_TEST_SHARDS)
  math(EXPR last_shard "${shard_count} - 1")
  foreach(shard RANGE ${last_shard})
    set_property(TEST ${target}/${shard} APPEND PROPERTY ENVIRONMENT "GTEST_FILTER=-${suites}")
  endforeach()
  get_property(labels TEST ${target}/0 PROPERTY LABELS)
  get_property(timeout TEST ${target}/0 PROPERTY TIMEOUT)
  get_property(environment TEST ${target}/0 PROPERTY ENVIRONMENT)
  list(FILTER environment INCLUDE REGEX "^ORDEXIA_TEST_WATCHDOG_SECONDS=")
  add_test(NAME ${target}/serial_line COMMAND ${target})
  set_tests_properties(${target}/serial_line PROPERTIES
    LABELS "${labels}" RESOURCE_LOCK wcu_serial_line TIMEOUT ${timeout}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;GTEST_FILTER=${suites};${environment}")
endfunction()
