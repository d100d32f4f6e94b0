#!/usr/bin/env bash
# Builds the packages users get, installing what is missing first as run.sh does:
#   scripts/package.sh deb [cmake options]      the release build's Debian package, in build/release
#   scripts/package.sh windows [cmake options]  the Windows program's .zip and .msi, in build/windows
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
case "${1-}" in
    deb) preset=release added=("${ZOBU_DEB_PACKAGES[@]}") ;;
    windows) preset=windows added=("${ZOBU_WINDOWS_PACKAGES[@]}") ;;
    *) echo "usage: $0 deb|windows [cmake options]" >&2 && exit 2 ;;
esac
zobu_ensure_packages "${ZOBU_RUN_PACKAGES[@]}" "${added[@]}"
cmake --preset "$preset" "${@:2}" >/dev/null
cmake --build --preset "$preset"
cd "build/$preset" && cpack
