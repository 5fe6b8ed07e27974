# run_driver(SCRIPT [OUTPUT WHERE]) runs the match driver DRIVER with the file
# SCRIPT on standard input and sets, in the caller's scope:
#   driver_status  its exit status;
#   driver_output  its standard output, unless WHERE took it: a file, or
#                  "a closed pipe" for a reader that has gone away;
#   driver_errors  its standard error.
function(run_driver script)
  cmake_parse_arguments(PARSE_ARGV 1 run "" "OUTPUT" "")
  if(run_OUTPUT STREQUAL "a closed pipe")
    set(output COMMAND ${CMAKE_COMMAND} -E true)
  elseif(run_OUTPUT)
    set(output OUTPUT_FILE ${run_OUTPUT})
  else()
    set(output OUTPUT_VARIABLE standard_output)
  endif()
  execute_process(
    COMMAND ${DRIVER}
    ${output}
    INPUT_FILE ${script}
    ERROR_VARIABLE standard_error
    RESULTS_VARIABLE statuses)
  list(GET statuses 0 status)
  set(driver_status "${status}" PARENT_SCOPE)
  set(driver_output "${standard_output}" PARENT_SCOPE)
  set(driver_errors "${standard_error}" PARENT_SCOPE)
endfunction()
