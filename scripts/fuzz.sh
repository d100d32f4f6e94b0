#!/usr/bin/env bash
# Builds the engine fuzzer (fuzz preset, clang) and runs it for a bounded time, default 50 s, on
# a copy of its seed corpus. Fails on any crash, timeout, leak or broken promise; the input that
# caused it is kept in build/fuzz/run. Usage: scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz
rm -rf build/fuzz/run && mkdir -p build/fuzz/run/corpus && cp fuzz/corpus/* build/fuzz/run/corpus/
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 build/fuzz/fuzz/engine_keys_fuzzer -max_total_time="${1:-50}" \
    -timeout=2 -rss_limit_mb=2048 -max_len=4096 -dict=fuzz/engine_keys.dict -print_final_stats=1 \
    -artifact_prefix=build/fuzz/run/ build/fuzz/run/corpus
