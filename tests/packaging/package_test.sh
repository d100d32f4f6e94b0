#!/usr/bin/env bash
# The Debian package as a system meets it: lintian's errors and warnings, its Depends and
# Recommends, its files, the installed tree as a software centre validates it, and the program
# unpacked from it showing its window and acting on a key.
#   package_test.sh <cpack> <CPackConfig.cmake> <app-id> <icon sizes, ;-separated> <layout_probe>
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$1" -G DEB --config "$2" -B "$scratch" >/dev/null
deb=$(echo "$scratch"/zobu_*-*_"$(dpkg --print-architecture)".deb)
lintian --fail-on error,warning "$deb"
for dependency in libqt6widgets6 $(grep -v '^#' "$(dirname "$0")/../../qt/font_packages.txt"); do
    dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | awk '{ print $1 }' | grep -qxF $dependency ||
        { echo "Depends lacks $dependency" >&2; exit 1; }
done
dpkg-deb -f "$deb" Recommends | grep -qw qt6-wayland || { echo "Recommends lacks qt6-wayland" >&2; exit 1; }
dpkg-deb -x "$deb" "$scratch/root"
# The files no other check here asks for (lintian wants the manual page and changelog,
# appstreamcli the desktop entry, the run the program): ls names a missing one.
(cd "$scratch/root/usr/share" && ls metainfo/"$3".metainfo.xml icons/hicolor/scalable/apps/"$3".svg \
    $(tr ';' '\n' <<<"$4" | sed "s|.*|icons/hicolor/&x&/apps/$3.png|") >/dev/null)
appstreamcli validate-tree --no-net --pedantic --strict "$scratch/root"
# The unpacked program shows its window and folds it at Space, on an Xvfb of its own.
python3 -B "$(dirname "$0")/../e2e/e2e.py" package "$5" "$scratch/root/usr/bin/zobu"
