# Plays SCRIPT through the replay driver DRIVER and checks how it stops: the
# exit status EXIT_STATUS, MESSAGE somewhere on standard error, and exactly
# STATE_LINES state lines on standard output before it stopped. OUTPUT, when
# set, takes standard output instead: a file, or "a closed pipe" for a reader
# that has gone away (no state lines are counted then).

if(OUTPUT STREQUAL "a closed pipe")
  set(output COMMAND ${CMAKE_COMMAND} -E true)
elseif(OUTPUT)
  set(output OUTPUT_FILE ${OUTPUT})
else()
  set(output OUTPUT_VARIABLE states)
endif()
execute_process(
  COMMAND ${DRIVER}
  ${output}
  INPUT_FILE ${SCRIPT}
  ERROR_VARIABLE errors
  RESULTS_VARIABLE statuses)
list(GET statuses 0 status)

set(faults "")
if(NOT status STREQUAL EXIT_STATUS)
  string(APPEND faults "exit status ${status} instead of ${EXIT_STATUS}\n")
endif()
string(FIND "${errors}" "${MESSAGE}" message_at)
if(message_at EQUAL -1)
  string(APPEND faults "standard error lacks \"${MESSAGE}\":\n${errors}\n")
endif()
string(REGEX MATCHALL "\n" line_breaks "${states}")
list(LENGTH line_breaks line_count)
if(NOT line_count EQUAL STATE_LINES)
  string(APPEND faults "${line_count} state lines instead of ${STATE_LINES}\n")
endif()
if(faults)
  message(FATAL_ERROR "${faults}")
endif()
