#!/usr/bin/env bash
# The Debian package as a system meets it: lintian's errors and warnings, its files, its Depends,
# the installed tree as a software centre validates it, and the program unpacked from it showing
# its window and acting on a key, on an Xvfb of its own.
#   package_test.sh <cpack> <CPackConfig.cmake> <app-id> <icon sizes, ;-separated>
set -euo pipefail
scratch=$(mktemp -d)
trap 'kill ${zobu:-} ${xvfb:-} 2>/dev/null || true; rm -rf "$scratch"' EXIT
"$1" -G DEB --config "$2" -B "$scratch" >/dev/null
deb=$(echo "$scratch"/zobu_*-*_"$(dpkg --print-architecture)".deb)
lintian --fail-on error,warning "$deb"
listing=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for path in usr/bin/zobu usr/share/man/man1/zobu.1.gz usr/share/doc/zobu/changelog.Debian.gz \
    usr/share/applications/"$3".desktop usr/share/metainfo/"$3".metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/"$3".svg $(tr ';' '\n' <<<"$4" | sed "s|.*|usr/share/icons/hicolor/&x&/apps/$3.png|"); do
    grep -qxF "./$path" <<<"$listing" || { echo "the package lacks $path" >&2; exit 1; }
done
for dependency in libqt6widgets6 $(grep -v '^#' "$(dirname "$0")/../../qt/font_packages.txt"); do
    dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | awk '{ print $1 }' | grep -qxF $dependency ||
        { echo "Depends lacks $dependency" >&2; exit 1; }
done
dpkg-deb -x "$deb" "$scratch/root"
appstreamcli validate-tree --no-net --pedantic --strict "$scratch/root"
# Xvfb picks a free display itself and says which: no race with other servers starting.
Xvfb -displayfd 3 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb=$!
timeout 10 bash -c 'until [ -s "$0" ]; do :; done' "$scratch/display"
export DISPLAY=:$(cat "$scratch/display")
env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$scratch/root/usr/bin/zobu" &
zobu=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name Zobu | head -1) ||
    { echo "the unpacked zobu showed no window" >&2; exit 1; }
height() { xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p'; }
export window full=$(height) && export -f height
xdotool windowfocus --sync "$window" key space # folds the window
timeout 10 bash -c 'while [ "$(height)" = "$full" ]; do :; done' ||
    { echo "Space did not fold the unpacked zobu's window" >&2; exit 1; }
kill "$zobu" # still running after acting on the key
