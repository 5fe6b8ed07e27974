# Plays SCRIPT through the replay driver DRIVER and checks how it stops: the
# exit status EXIT_STATUS, MESSAGE somewhere on standard error, and exactly
# STATE_LINES state lines on standard output before it stopped. OUTPUT, when
# set, takes standard output instead: a file, or "a closed pipe" for a reader
# that has gone away (no state lines are counted then).

include(${CMAKE_CURRENT_LIST_DIR}/../support/run_driver.cmake)
run_driver(${SCRIPT} OUTPUT "${OUTPUT}")

set(faults "")
if(NOT driver_status STREQUAL EXIT_STATUS)
  string(APPEND faults "exit status ${driver_status} instead of ${EXIT_STATUS}\n")
endif()
string(FIND "${driver_errors}" "${MESSAGE}" message_at)
if(message_at EQUAL -1)
  string(APPEND faults "standard error lacks \"${MESSAGE}\":\n${driver_errors}\n")
endif()
string(REGEX MATCHALL "\n" line_breaks "${driver_output}")
list(LENGTH line_breaks line_count)
if(NOT line_count EQUAL STATE_LINES)
  string(APPEND faults "${line_count} state lines instead of ${STATE_LINES}\n")
endif()
if(faults)
  message(FATAL_ERROR "${faults}")
endif()
