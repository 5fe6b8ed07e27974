# Runs the match-script generator GENERATOR with SHOTS, SEED and OPTIONS and checks that
# it still writes the committed script EXPECTED, byte for byte, so that the
# committed random matches can always be made again.

execute_process(
  COMMAND ${GENERATOR} ${SHOTS} ${SEED} ${OPTIONS}
  OUTPUT_FILE ${ACTUAL}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator ended with ${status}")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${ACTUAL}
  RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "${GENERATOR} ${SHOTS} ${SEED} ${OPTIONS} no longer writes ${EXPECTED}; see ${ACTUAL}")
endif()
