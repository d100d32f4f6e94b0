#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the engine without Qt, the Windows
# program cross-built, the whole project with warnings as errors (unit, widget, end-to-end
# and packaging tests; the end-to-end ones also on the Windows program under Wine), the same
# under AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zobu_ensure_packages "${ZOBU_TEST_PACKAGES[@]}"
zobu_ensure_comma_locale

step() { printf '\n== %s ==\n' "$*"; }

step "format"
scripts/check-format.sh

step "engine without Qt"
cmake --preset engine-only >/dev/null
cmake --build --preset engine-only
ctest --preset engine-only

step "the Windows program, cross-built"
cmake --preset windows >/dev/null
cmake --build --preset windows

step "all tests (warnings as errors), the end-to-end ones also on the Windows program under Wine"
cmake --preset ci -DZOBU_WINDOWS_EXE="$PWD/build/windows/zobu.exe" >/dev/null
cmake --build --preset ci
ctest --preset ci

step "all tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

step "fuzzing the engine"
scripts/fuzz.sh

step "done"
