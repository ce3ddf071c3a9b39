# Warnings are errors for the project's own targets only, never for third-party headers.
function(radioprog_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wshadow -Wconversion
                                             -Wno-sign-conversion)
endfunction()
