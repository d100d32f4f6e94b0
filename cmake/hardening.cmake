# Debian's hardening of what goes into the package, as dpkg-buildflags gives it to Debian's
# own packages: checked buffer functions (_FORTIFY_SOURCE, which needs the optimiser), a
# stack protector, and relocations resolved and made read-only at start (relro, bindnow). An
# interface target, linked PRIVATE by the program's libraries and the program. Sanitizer and
# fuzzing builds do without it: their own checks take the place of the fortified functions.
add_library(zobu_hardening INTERFACE)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT ZOBU_SANITIZE AND NOT ZOBU_BUILD_FUZZ)
    target_compile_options(zobu_hardening INTERFACE -fstack-protector-strong
        "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    target_link_options(zobu_hardening INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()
