# Compiler warnings as an interface target that each of our targets links PRIVATE,
# so that third-party headers and global flags stay untouched.
add_library(zobu_warnings INTERFACE)
if(MSVC)
    # /utf-8: the sources hold the calculator's Chinese texts as UTF-8 literals.
    target_compile_options(zobu_warnings INTERFACE /W4 /permissive- /utf-8)
    if(ZOBU_WARNINGS_AS_ERRORS)
        target_compile_options(zobu_warnings INTERFACE /WX)
    endif()
    return()
endif()
target_compile_options(zobu_warnings INTERFACE
    -Wall -Wextra -Wpedantic
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast -Wcast-align
    -Wnon-virtual-dtor -Woverloaded-virtual -Wnull-dereference -Wdouble-promotion
    -Wformat=2 -Wimplicit-fallthrough -Wmisleading-indentation -Wunused)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(zobu_warnings INTERFACE
        -Wduplicated-cond -Wduplicated-branches -Wlogical-op -Wuseless-cast)
endif()
if(ZOBU_WARNINGS_AS_ERRORS)
    target_compile_options(zobu_warnings INTERFACE -Werror)
endif()
