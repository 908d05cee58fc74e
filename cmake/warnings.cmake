# Our own targets warn generously, with each compiler's own flags. Warnings become errors in the
# developer and CI presets (CMAKE_COMPILE_WARNING_AS_ERROR), not here, so a build with a newer
# compiler outside them still goes through.
function(project_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive-)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                                 -Wnon-virtual-dtor)
    endif()
    # GCC 12 reports impossible overlaps inside std::string concatenation at -O2 (its bug
    # 105329); the warning says nothing about our code there.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()
