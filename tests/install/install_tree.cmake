# Installs the build folder BUILD into ROOT/usr, from scratch, as a package would lay it out.
file(REMOVE_RECURSE "${ROOT}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${ROOT}/usr"
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cmake --install failed")
endif()
