# Our own code builds warning-free; third-party headers come in as SYSTEM.
# ROVANTA_WERROR makes warnings fatal (the test command turns it on).
function(rovanta_set_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wall -Wextra>
        $<$<CXX_COMPILER_ID:MSVC>:/W4>)
    if(NOT ROVANTA_WERROR)
        return()
    endif()
    target_compile_options(${target} PRIVATE
        $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Werror>
        $<$<CXX_COMPILER_ID:MSVC>:/WX>)
    # GCC 12 reports std::string appends inlined at -O3 as overlapping
    # copies (GCC bug 105651); still shown, but not fatal there.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-error=restrict)
    endif()
endfunction()
