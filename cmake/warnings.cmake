# Compiler warnings as an interface target that each of our targets links PRIVATE,
# so that third-party headers and global flags stay untouched.
add_library(zobu_warnings INTERFACE)
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
