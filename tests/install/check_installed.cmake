# Installs the Kalimark component of BUILD_DIR into WORK_DIR/prefix, builds
# the consumer against it with CMake and, when PKG_CONFIG is given, with the
# flags pkg-config reports, and checks what each prints.
set(expected "32 U 565590 5933912\n")
set(prefix ${WORK_DIR}/prefix)

function(run)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT status EQUAL 0)
        list(JOIN ARGV " " command)
        message(FATAL_ERROR "failed: ${command}\n${out}")
    endif()
endfunction()

function(expect_output program)
    execute_process(COMMAND ${program} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
        message(FATAL_ERROR "${program} printed \"${out}\" (exit ${status}), expected \"${expected}\"\n${err}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component Kalimark)

run(${CMAKE_COMMAND} -S ${CONSUMER} -B ${WORK_DIR}/cmake -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_CXX_FLAGS=${CXX_FLAGS})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/cmake)
expect_output(${WORK_DIR}/cmake/consumer)

if(PKG_CONFIG)
    # Only the temporary prefix is searched.
    set(ENV{PKG_CONFIG_LIBDIR} ${prefix}/${LIBDIR}/pkgconfig)
    execute_process(COMMAND ${PKG_CONFIG} --cflags --libs kalimark RESULT_VARIABLE status OUTPUT_VARIABLE flags
                    ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "pkg-config finds no kalimark in ${prefix}: ${err}")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    separate_arguments(cxx_flags UNIX_COMMAND "${CXX_FLAGS}")
    run(${CXX} ${cxx_flags} ${CONSUMER}/main.cpp ${flags} -o ${WORK_DIR}/pkg-config-consumer)
    set(ENV{LD_LIBRARY_PATH} ${prefix}/${LIBDIR})
    expect_output(${WORK_DIR}/pkg-config-consumer)
endif()
