# Fails when a text of the interface has no finished German translation:
# lupdate runs over the sources into a copy of each .ts file (as the
# update_translations target does into the file itself), and the copy must
# hold no unfinished message and equal the committed file.
foreach(ts IN LISTS TS_FILES)
    get_filename_component(name ${ts} NAME)
    set(copy ${WORK_DIR}/${name})
    file(REMOVE_RECURSE ${WORK_DIR})
    file(COPY ${ts} DESTINATION ${WORK_DIR})
    execute_process(COMMAND ${LUPDATE} ${OPTIONS} ${SOURCES} -ts ${copy} RESULT_VARIABLE status ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "lupdate failed: ${err}")
    endif()
    file(READ ${copy} text)
    string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation type=\"unfinished\"" unfinished "${text}")
    if(unfinished)
        string(REGEX REPLACE "<source>([^<]*)</source>[^;]*" "\n  \\1" unfinished "${unfinished}")
        string(REPLACE ";" "" unfinished "${unfinished}")
        message(FATAL_ERROR "${name}: texts without a finished translation (add them with "
                            "`cmake --build <build> --target update_translations`, then translate):${unfinished}")
    endif()
    file(READ ${ts} committed)
    if(NOT text STREQUAL committed)
        message(FATAL_ERROR "${name} is not up to date with the sources: "
                            "run `cmake --build <build> --target update_translations` and commit it")
    endif()
endforeach()
