#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix: an older version, then this one over it
# (one entry in Apps & features, this version, its icon), an older one refused; the Start menu
# shortcut; the installed zobu.exe shows its window and ends when closed; removal leaves nothing
# of Zobu's. Needs an X server (xvfb-run). A failure shows in the trace.
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
# An older version is refused by the package's one launch condition, which carries the refusal's
# message, with Windows Installer's status 1603 (its low byte, 67, here): under /qn Wine shows none.
[ "$(msiinfo export "$4"/old/*.msi LaunchCondition | tr -d '\r' | tail -n +4)" = $'NOT WIX_DOWNGRADE_DETECTED\tA newer version of Zobu is already installed.' ]
status=0 && WINEDEBUG=-all,err+msi wine msiexec /i "$4"/old/*.msi /qn 2>"$4/refused" || status=$?
[ $status = 67 ]
grep 'action L"LaunchConditions" returned 1603' "$4/refused"
entries=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' | tr -s ' ')
[ "$(grep -E '^ (DisplayName|DisplayVersion|Publisher) ' <<<"$entries")" = $' DisplayName REG_SZ Zobu\n DisplayVersion REG_SZ '"$3"$'\n Publisher REG_SZ '"$5" ]
# Its icon, as Windows Installer keeps it for the product: the calculator's.
icon=$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s | tr -d '\r' | sed -n 's/^ *ProductIcon *REG_SZ *//p')
cmp "$(winepath -u "$icon")" "${0%/*}/../../data/icons/zobu.ico"
[ -n "$(find "$WINEPREFIX/drive_c" -name "$6.lnk")" ]
# The installed program shows its window and ends with status 0 when it is closed, as by a user.
timeout 60 wine "$WINEPREFIX/drive_c/Program Files/Zobu/zobu.exe" &
timeout 60 xdotool search --sync --onlyvisible --name Zobu
wine taskkill /im zobu.exe
wait $!
wine msiexec /x "$4"/new/*.msi /qn
wineserver -w # the registry is on disk once the prefix's server has ended
[ -z "$(grep -il zobu "$WINEPREFIX"/*.reg; find "$WINEPREFIX/drive_c" -iname '*zobu*' -o -name '*.msi')" ]
