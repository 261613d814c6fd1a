# Runs one scenario and compares its output with NAME.out byte for byte.
string(REGEX REPLACE "\\.scn$" ".out" expected_file "${SCENARIO}")
execute_process(COMMAND "${RUNNER}" "${SCENARIO}"
    OUTPUT_VARIABLE actual RESULT_VARIABLE status)
file(READ "${expected_file}" expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "Output of ${SCENARIO} differs.\n--- expected\n${expected}\n--- actual\n${actual}")
endif()
# A scenario whose expected output holds an ERROR line must end with status 1.
string(FIND "${expected}" "ERROR\t" has_error)
if(has_error EQUAL -1 AND NOT status EQUAL 0)
    message(FATAL_ERROR "${SCENARIO} ended with status ${status}")
endif()
if(NOT has_error EQUAL -1 AND NOT status EQUAL 1)
    message(FATAL_ERROR "${SCENARIO} ended with status ${status}, expected 1")
endif()
