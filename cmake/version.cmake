# Writes OUTPUT, a header with the program's version: the project version VERSION, followed by
# what `git describe` says when SOURCE is a git checkout. The file is rewritten only when its
# text changes, so that a build after the same commit compiles nothing again.
set(described "")
find_program(GIT git)
if(GIT AND EXISTS "${SOURCE}/.git")
    execute_process(COMMAND "${GIT}" describe --tags --always
                    WORKING_DIRECTORY "${SOURCE}"
                    OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE failed ERROR_QUIET)
    if(failed)
        set(described "")
    endif()
endif()
set(full "${VERSION}")
if(described)
    set(full "${VERSION} (git ${described})")
endif()
set(text "#pragma once\n#define RADIOPROG_VERSION \"${full}\"\n")
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL text)
    file(WRITE "${OUTPUT}" "${text}")
endif()
