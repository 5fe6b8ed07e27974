# Plays SCRIPT through the replay driver DRIVER and compares the state lines
# byte for byte with the committed EXPECTED file. What came out is written to
# ACTUAL, so that a change in the game's behaviour can be read as a diff.

include(${CMAKE_CURRENT_LIST_DIR}/../support/run_driver.cmake)
run_driver(${SCRIPT} OUTPUT ${ACTUAL})
if(NOT driver_status EQUAL 0)
  message(FATAL_ERROR "the driver ended with ${driver_status}:\n${driver_errors}")
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${ACTUAL}
  RESULT_VARIABLE different)
if(NOT different)
  return()
endif()

# Name the first state line that differs.
file(STRINGS ${EXPECTED} expected_lines)
file(STRINGS ${ACTUAL} actual_lines)
list(LENGTH expected_lines expected_count)
list(LENGTH actual_lines actual_count)
set(line 0)
while(line LESS expected_count AND line LESS actual_count)
  list(GET expected_lines ${line} expected_line)
  list(GET actual_lines ${line} actual_line)
  if(NOT expected_line STREQUAL actual_line)
    break()
  endif()
  math(EXPR line "${line} + 1")
endwhile()
if(line EQUAL expected_count)
  set(expected_line "(no line)")
endif()
if(line EQUAL actual_count)
  set(actual_line "(no line)")
endif()
math(EXPR line_number "${line} + 1")
message(FATAL_ERROR
  "${ACTUAL} differs from ${EXPECTED}, first at state line ${line_number} "
  "(${actual_count} lines instead of ${expected_count}).\n"
  "expected: ${expected_line}\nactual:   ${actual_line}")
