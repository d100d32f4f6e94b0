# Debian's hardening of what goes into the package, as dpkg-buildflags gives it to Debian's own
# packages with hardening=+all: checked buffer functions (_FORTIFY_SOURCE), a stack protector,
# format strings that could be exploited made errors, and relocations resolved and made
# read-only at start (relro, bindnow); the compiler makes position-independent executables by
# itself. An interface target, linked PRIVATE by the program's libraries and the program.
# Only optimised builds get it: _FORTIFY_SOURCE needs the optimiser, and without it (a debug
# build, or none named) glibc warns in every file. Sanitizer and fuzzing builds do without it:
# their own checks take the place of the fortified functions.
add_library(zobu_hardening INTERFACE)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT ZOBU_SANITIZE AND NOT ZOBU_BUILD_FUZZ)
    set(_optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
    target_compile_options(zobu_hardening INTERFACE
        "$<${_optimised}:-fstack-protector-strong;-Wformat;-Werror=format-security>"
        "$<${_optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    target_link_options(zobu_hardening INTERFACE "$<${_optimised}:-Wl,-z,relro;-Wl,-z,now>")
endif()
