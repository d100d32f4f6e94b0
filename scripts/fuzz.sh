#!/usr/bin/env bash
# Builds the engine fuzzers (fuzz preset, clang) and runs each for a bounded time, default 25 s,
# on a copy of its seed corpus in the build directory. Exits non-zero on any crash, timeout,
# leak, sanitizer report or broken promise; the input that caused it is kept in build/fuzz/run.
# Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-25}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [seconds per target]" >&2
    exit 2
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# target, longest input, dictionary
targets=(
    "engine_keys_fuzzer 4096 fuzz/engine_keys.dict"
    "paste_reader_fuzzer 16384 fuzz/paste_reader.dict"
)

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for row in "${targets[@]}"; do
    read -r target max_len dict <<<"$row"
    work=build/fuzz/run/$target
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/artifacts"
    cp fuzz/corpus/"$target"/* "$work/corpus/"

    printf '\n== %s (%s s) ==\n' "$target" "$seconds"
    rc=0
    "build/fuzz/fuzz/$target" \
        -max_total_time="$seconds" -timeout=2 -rss_limit_mb=2048 -max_len="$max_len" \
        -dict="$dict" -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
        "$work/corpus" >"$work/log" 2>&1 || rc=$?

    # libFuzzer's status lines read "#<runs><TAB>NEW cov: <edges> ft: <features> ...".
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log" | tail -n 1)
    coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$work/log" | tail -n 1 || true)
    corpus=$(find "$work/corpus" -type f | wc -l)
    echo "executions: ${execs:-?} (${rate:-?}/s)  ${coverage:-cov: ? ft: ?}  corpus: $corpus files"

    artifacts=$(find "$work/artifacts" -type f)
    if [ "$rc" -ne 0 ] || [ -n "$artifacts" ]; then
        status=1
        echo "FAILED (exit $rc), full output in $work/log:"
        # The broken promise with its keys, or the sanitizer's or libFuzzer's verdict.
        grep -A 4 -E '^\*\*\* ' "$work/log" || true
        grep -E 'ERROR: |runtime error: |^SUMMARY: |^ALARM: ' "$work/log" || true
        for file in $artifacts; do
            echo "reproduce: build/fuzz/fuzz/$target $file"
        done
    fi
done
exit "$status"
