# AddressSanitizer and UndefinedBehaviorSanitizer as an interface target, linked PRIVATE
# by every target of ours, so libraries and executables are instrumented alike. A fuzzing
# build adds libFuzzer's coverage to the same code; only the fuzzers link libFuzzer itself.
add_library(zobu_sanitizers INTERFACE)
if(ZOBU_SANITIZE OR ZOBU_BUILD_FUZZ)
    set(_zobu_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_compile_options(zobu_sanitizers INTERFACE ${_zobu_san})
    target_link_options(zobu_sanitizers INTERFACE ${_zobu_san})
endif()
if(ZOBU_BUILD_FUZZ)
    target_compile_options(zobu_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()
