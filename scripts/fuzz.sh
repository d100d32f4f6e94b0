#!/usr/bin/env bash
# Builds the engine fuzzers (fuzz preset, clang) and runs each for a bounded time, default 25 s,
# on a copy of the seed corpus. Fails on any crash, timeout, leak or broken promise; what
# caused it is kept in build/fuzz/run/<target>.
# Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
status=0
for target in engine_keys; do
    work=build/fuzz/run/$target
    rm -rf "$work" && mkdir -p "$work/corpus"
    cp fuzz/corpus/* "$work/corpus/"
    echo "== ${target}_fuzzer"
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 build/fuzz/fuzz/${target}_fuzzer \
        -max_total_time="${1:-25}" -timeout=2 -rss_limit_mb=2048 -max_len=16384 -dict="fuzz/$target.dict" \
        -artifact_prefix="$work/" "$work/corpus" >"$work/log" 2>&1 || { status=1; tail -n 30 "$work/log"; }
    grep -E '^(stat::number_of_executed_units|Done)' "$work/log" || true
done
exit $status
