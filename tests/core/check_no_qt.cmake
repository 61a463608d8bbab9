# Fails when the core library refers to any Qt symbol.
execute_process(COMMAND nm -C --undefined-only "${TARGET_FILE}" OUTPUT_VARIABLE undefined RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "nm failed on ${TARGET_FILE}")
endif()
string(REGEX MATCHALL "[^\n]*Q[A-Z][A-Za-z]+::[^\n]*" qt "${undefined}")
if(qt)
    message(FATAL_ERROR "the core library uses Qt:\n${qt}")
endif()
