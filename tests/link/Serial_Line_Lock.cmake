# Tests that depend on the WCU protocol's real-time windows (a simulated WCU
# must answer within 20 ms) starve each other when CTest runs them together:
# they share one resource lock and run one at a time, while every other test
# still runs beside them.
set(ORDEXIA_SERIAL_LINE_SUITES
  "Wcu_Link|Sd_Poll|Hd_Poll|Hd_Poll_Fault|Com_Port|Polling_Thread|Polling_Thread_Without_Timers|Recording_Through_Wcu|Lock_Wait|Host_Polling")

# Marks the discovered tests of <target> whose suite is one of the above.
function(ordexia_serial_line_lock target)
  if(NOT TARGET ${target})
    return()
  endif()
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_serial_line_lock.cmake)
  file(WRITE ${script}
"foreach(test IN LISTS ${target}_TESTS)
  if(test MATCHES \"(^|/)(${ORDEXIA_SERIAL_LINE_SUITES})[.]\")
    set_tests_properties(\"\${test}\" PROPERTIES RESOURCE_LOCK wcu_serial_line)
  endif()
endforeach()
")
  # Read by CTest after the discovery's own file, which lists the tests.
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()
