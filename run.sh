#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zobu_ensure_packages "${ZOBU_RUN_PACKAGES[@]}"
cmake --preset release >/dev/null
cmake --build --preset release
if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "zobu: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset)" >&2
    exit 1
fi
exec build/release/zobu
