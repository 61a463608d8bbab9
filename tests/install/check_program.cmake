# Installs BUILD_DIR into WORK_DIR/prefix and starts the installed program
# offscreen from WORK_DIR with fresh settings, once in German and once in
# C: it must find its translation (or none), the help file of the interface's
# language and the sample maps in the prefix. Then the translations test runs
# against the installed .qm file. The program reports what it found through
# its "rovanta.start" log and is ended by SIGTERM, which it takes as a quit.
set(prefix ${WORK_DIR}/prefix)
set(data ${prefix}/share/rovanta)

function(run)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT status EQUAL 0)
        list(JOIN ARGV " " command)
        message(FATAL_ERROR "failed: ${command}\n${out}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

foreach(case IN ITEMS "de_DE.UTF-8|${data}/translations/rovanta_de.qm|RovantaDEU.chm"
                      "C|none|RovantaENG.chm")
    string(REPLACE "|" ";" case "${case}")
    list(GET case 0 lang)
    list(GET case 1 translation)
    list(GET case 2 help)
    set(home ${WORK_DIR}/home-${lang})
    file(MAKE_DIRECTORY ${home})
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=LC_ALL --unset=LC_MESSAGES --unset=LANGUAGE LANG=${lang}
                HOME=${home} XDG_CONFIG_HOME=${home}/.config XDG_DATA_HOME=${home}/.local/share
                QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES=rovanta.start.debug=true
                timeout -s TERM 6 ${prefix}/bin/Rovanta
        WORKING_DIRECTORY ${WORK_DIR}
        OUTPUT_VARIABLE out ERROR_VARIABLE log)
    foreach(expected IN ITEMS "translation: \"${translation}\"" "help file: \"${data}/${help}\""
                              "offering the sample maps in \"${data}/sample_maps\"")
        string(FIND "${log}" "${expected}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "LANG=${lang}: the installed program did not report ${expected}:\n${log}")
        endif()
    endforeach()
endforeach()

run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ROVANTA_TRANSLATIONS=${data}/translations ${TRANSLATIONS_TEST})
