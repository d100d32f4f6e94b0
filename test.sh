#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test: the engine
# without Qt, the Windows program cross-built, the release build's Debian package, the whole
# project (unit, widget, end-to-end and packaging tests; the end-to-end ones also on the Windows
# program under Wine), the same under AddressSanitizer and UndefinedBehaviorSanitizer, and a
# bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zobu_ensure_packages "${ZOBU_TEST_PACKAGES[@]}"
zobu_ensure_locales de_DE.UTF-8 zh_CN.UTF-8

step() { printf '\n== %s ==\n' "$*"; }
# Every build made here treats warnings as errors; the presets a developer uses only warn.
configure() { cmake --preset "$1" -DZOBU_WARNINGS_AS_ERRORS=ON "${@:2}" >/dev/null; }

step "format"
scripts/check-format.sh

step "engine without Qt"
configure engine-only
cmake --build --preset engine-only
ctest --preset engine-only

step "the Windows program, cross-built, and its window's own checks under Wine"
configure windows
cmake --build --preset windows
ctest --preset windows

step "the Debian package as users build it, from the release preset (the package row checks it)"
scripts/package.sh deb -DZOBU_WARNINGS_AS_ERRORS=ON

step "all tests, the end-to-end ones also on the Windows program under Wine"
configure ci -DZOBU_WINDOWS_EXE="$PWD/build/windows/zobu.exe"
cmake --build --preset ci
ctest --preset ci

step "all tests under AddressSanitizer and UndefinedBehaviorSanitizer"
configure asan
cmake --build --preset asan
ctest --preset asan

step "fuzzing the engine"
configure fuzz  # fuzz.sh configures it again, keeping the switch
scripts/fuzz.sh

step "done"
