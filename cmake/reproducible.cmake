# Reproducible programs: two builds of one commit, in different folders and at different times,
# give the same bytes. The time stamps come from the commit (or SOURCE_DATE_EPOCH where the
# source has no git history), and no build folder ends up in a program.

# TALLOWFIN_SOURCE_EPOCH: SOURCE_DATE_EPOCH when set, else the commit's time, else 0.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(TALLOWFIN_SOURCE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git log -1 --format=%ct
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE TALLOWFIN_SOURCE_EPOCH
        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE git_status)
    if(NOT git_status EQUAL 0 OR NOT TALLOWFIN_SOURCE_EPOCH MATCHES "^[0-9]+$")
        set(TALLOWFIN_SOURCE_EPOCH 0)
    endif()
    # A new commit or checkout reconfigures, so that the stamps follow it.
    execute_process(COMMAND git rev-parse --path-format=absolute --git-path logs/HEAD
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE git_head_log
        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(git_head_log AND EXISTS ${git_head_log})
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_head_log})
    endif()
endif()

# The source and build folders are written as "." into anything the compiler records (__FILE__
# in assertions, debug sections of the test programs). Not for windres, which records none.
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>"
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=.>")

# The linker stamps a program with SOURCE_DATE_EPOCH when it is set, and with the clock
# otherwise: every link runs with the commit's time.
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${TALLOWFIN_SOURCE_EPOCH})
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_C_LINKER_LAUNCHER})
