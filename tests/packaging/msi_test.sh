#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix: an older version, then this one over it
# (one entry in Apps & features, this version), an older one refused; the Start menu shortcut;
# the installed zobu.exe shows its window; removal leaves nothing of Zobu's. Needs an X server
# (xvfb-run). A failure shows in the trace.
#   msi_test.sh <cpack> <the Windows build's CPackConfig.cmake> <version> <scratch folder>
#               <vendor> <Chinese name>
set -euxo pipefail
rm -rf "$4"
# No Mono or Gecko prompts; no desktop files for the shortcut outside the prefix.
export WINEPREFIX=$4/prefix WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$4"' EXIT
"$1" -G External --config "$2" -B "$4/new" >/dev/null
"$1" -G External --config "$2" -B "$4/old" -R 0.0.1 >/dev/null
wine msiexec /i "$4"/old/*.msi /qn
wine msiexec /i "$4"/new/*.msi /qn
wine msiexec /i "$4"/old/*.msi /qn && exit 1 # an older version is refused
entries=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' | tr -s ' ')
[ "$(grep -E '^ (DisplayName|DisplayVersion|Publisher) ' <<<"$entries")" = $' DisplayName REG_SZ Zobu\n DisplayVersion REG_SZ '"$3"$'\n Publisher REG_SZ '"$5" ]
[ -n "$(find "$WINEPREFIX/drive_c" -name "$6.lnk")" ]
wine "$WINEPREFIX/drive_c/Program Files/Zobu/zobu.exe" &
timeout 60 xdotool search --sync --onlyvisible --name Zobu
kill $! && wait $! || true
wine msiexec /x "$4"/new/*.msi /qn
wineserver -w # the registry is on disk once the prefix's server has ended
[ -z "$(grep -il zobu "$WINEPREFIX"/*.reg; find "$WINEPREFIX/drive_c" -iname '*zobu*' -o -name '*.msi')" ]
