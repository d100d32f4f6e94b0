#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zobu_ensure_packages "${ZOBU_RUN_PACKAGES[@]}"
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/zobu
