# Runs COMMAND (a list) and fails when it fails or says anything on standard error: for the
# validators and man's warnings, which may exit 0 with a complaint.
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE failed ERROR_VARIABLE complaints
                OUTPUT_VARIABLE output)
if(failed OR NOT complaints STREQUAL "")
    message(FATAL_ERROR "${COMMAND}\n${output}${complaints}")
endif()
