# The few tests that run a simulated WCU on a pseudo-terminal in real time
# (the serial layer itself and the simulator end to end) keep one resource
# lock, so that CTest never runs them beside each other. Every test of the
# protocol and the polling thread runs over an in-process line on simulated
# time and needs none.
set(ORDEXIA_SERIAL_LINE_SUITES "Com_Port|Wcu_Link_Over_Pseudo_Terminal|Polling_Thread_Over_Pseudo_Terminal")

# Marks every shard of <target>, a program holding such suites.
function(ordexia_serial_line_lock target)
  if(TARGET ${target})
    ordexia_set_test_shard_properties(${target} RESOURCE_LOCK wcu_serial_line)
  endif()
endfunction()
