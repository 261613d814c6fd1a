# Runs one scenario and compares its output with NAME.out byte for byte. The
# runner works in the scenario's folder, with XDG folders of its own under
# SCRATCH (emptied first), so that no file of the user's counts; a folder
# NAME.shop beside the scenario is its shop's data folder (XDG_DATA_DIRS), and
# NAME.xdg its four desktop folders.
string(REGEX REPLACE "\\.scn$" ".out" expected_file "${SCENARIO}")
get_filename_component(name "${SCENARIO}" NAME_WE)
get_filename_component(folder "${SCENARIO}" DIRECTORY)
if(NOT SCRATCH)
    set(SCRATCH "${CMAKE_CURRENT_BINARY_DIR}/scenario-home")
endif()
set(home "${SCRATCH}/${name}")
file(REMOVE_RECURSE "${home}")
file(MAKE_DIRECTORY "${home}")
# A folder NAME.xdg beside the scenario holds its desktop folders
# (config-home, config-dirs, data-home, data-dirs); they are copied, so that
# what the runner writes never lands in the source tree.
if(IS_DIRECTORY "${folder}/${name}.xdg")
    file(COPY "${folder}/${name}.xdg/" DESTINATION "${home}")
endif()
set(ENV{XDG_CONFIG_HOME} "${home}/config-home")
set(ENV{XDG_CONFIG_DIRS} "${home}/config-dirs")
set(ENV{XDG_DATA_HOME} "${home}/data-home")
set(ENV{XDG_DATA_DIRS} "${home}/data-dirs")
if(IS_DIRECTORY "${folder}/${name}.shop")
    set(ENV{XDG_DATA_DIRS} "${folder}/${name}.shop")
endif()
execute_process(COMMAND "${RUNNER}" "${SCENARIO}"
    WORKING_DIRECTORY "${folder}"
    OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
# What it tells on standard error (a faulty park file), where NAME.err says
# what that is; the scenario's desktop folders read there as $XDG.
if(EXISTS "${folder}/${name}.err")
    file(READ "${folder}/${name}.err" expected_errors)
    string(REPLACE "${home}" "$XDG" errors "${errors}")
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
