# Compiles one help project out of the source tree: chmcmd writes its
# output next to the project file, so the project is staged first.
# In: CHMCMD, SOURCE_DIR, STAGE_DIR, PROJECT, FILES (relative), OUTPUT.
file(REMOVE_RECURSE ${STAGE_DIR})
foreach(file IN LISTS FILES)
    get_filename_component(folder ${STAGE_DIR}/${file} DIRECTORY)
    file(COPY ${SOURCE_DIR}/${file} DESTINATION ${folder})
endforeach()
execute_process(
    COMMAND ${CHMCMD} --verbosity 1 ${PROJECT}.hhp
    WORKING_DIRECTORY ${STAGE_DIR}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE log
    ERROR_VARIABLE log)
if(NOT result EQUAL 0 OR NOT EXISTS ${STAGE_DIR}/${PROJECT}.chm)
    message(FATAL_ERROR "chmcmd failed for ${PROJECT}.hhp:\n${log}")
endif()
file(COPY_FILE ${STAGE_DIR}/${PROJECT}.chm ${OUTPUT})
