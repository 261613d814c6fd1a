# Runs one scenario and compares its output with NAME.out byte for byte.
string(REGEX REPLACE "\\.scn$" ".out" expected_file "${SCENARIO}")
# The runner reads the desktop's folders for the machine park: a scenario gets
# folders of its own, NAME.xdg/ beside it where it has one, else an empty
# private folder (XDG), so that no user's files change its outcome.
string(REGEX REPLACE "\\.scn$" ".xdg" own_xdg "${SCENARIO}")
if(IS_DIRECTORY "${own_xdg}")
    set(xdg "${own_xdg}")
else()
    set(xdg "${XDG}")
    file(MAKE_DIRECTORY "${xdg}")
endif()
set(ENV{XDG_CONFIG_HOME} "${xdg}/config-home")
set(ENV{XDG_CONFIG_DIRS} "${xdg}/config-dirs")
set(ENV{XDG_DATA_HOME} "${xdg}/data-home")
set(ENV{XDG_DATA_DIRS} "${xdg}/data-dirs")
execute_process(COMMAND "${RUNNER}" "${SCENARIO}"
    OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
# What it tells on standard error (a faulty park file), where NAME.err says
# what that is; the folder's path reads there as $XDG.
string(REGEX REPLACE "\\.scn$" ".err" expected_errors_file "${SCENARIO}")
if(EXISTS "${expected_errors_file}")
    file(READ "${expected_errors_file}" expected_errors)
    string(REPLACE "${xdg}" "$XDG" errors "${errors}")
    if(NOT errors STREQUAL expected_errors)
        message(FATAL_ERROR "Errors of ${SCENARIO} differ.\n--- expected\n${expected_errors}\n--- actual\n${errors}")
    endif()
elseif(NOT errors STREQUAL "")
    message("${errors}")
endif()
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
