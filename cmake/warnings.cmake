# Our own targets build with warnings as errors; Qt's generated code is held to the same bar.
function(project_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                             -Wnon-virtual-dtor -Werror)
endfunction()
