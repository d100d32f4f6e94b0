#!/usr/bin/env bash
# Fails when a C++ source differs from what .clang-format asks for.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
[ ${#files[@]} -eq 0 ] && exit 0
clang-format --dry-run --Werror "${files[@]}"
echo "${#files[@]} files formatted as .clang-format asks"
