#!/usr/bin/env bash
# The release build's Debian package as a packager and a user meet it: lintian at every level,
# its Depends and Recommends, its files, the installed tree as a software centre validates it.
# As root where dpkg knows no zobu package: installed, started as its desktop entry starts it,
# its manual pages read, removed and purged without a trace. Elsewhere the program unpacked from
# it is started.
#   package_test.sh <cpack> <release build> <app-id> <icon sizes, ;-separated> <layout_probe>
set -euo pipefail
cpack=$1 release=$2 app=$3 probe=$5 here=$(dirname "$0")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
[ -f "$release/CMakeCache.txt" ] || (cd "$here/../.." && cmake --preset release >/dev/null)
cmake --build "$release" >/dev/null
"$cpack" -G DEB --config "$release/CPackConfig.cmake" -B "$scratch" >/dev/null
deb=$(echo "$scratch"/zobu_*-*_"$(dpkg --print-architecture)".deb)
lintian --pedantic --display-info --info --fail-on error,warning,info,pedantic "$deb"
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 libc6 $(grep -v '^#' "$here/../../qt/font_packages.txt"); do
    dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | awk '{ print $1 }' | grep -qxF $dependency ||
        { echo "Depends lacks $dependency" >&2; exit 1; }
done
dpkg-deb -f "$deb" Recommends | grep -qw qt6-wayland || { echo "Recommends lacks qt6-wayland" >&2; exit 1; }
dpkg-deb -x "$deb" "$scratch/root"
# The files no other check here asks for (lintian wants the manual page and changelog,
# appstreamcli the desktop entry, the run the program): ls names a missing one.
(cd "$scratch/root/usr/share" && ls metainfo/"$app".metainfo.xml icons/hicolor/scalable/apps/"$app".svg \
    $(tr ';' '\n' <<<"$4" | sed "s|.*|icons/hicolor/&x&/apps/$app.png|") >/dev/null)
appstreamcli validate-tree --no-net --pedantic --strict "$scratch/root"
# The command of the desktop entry's Exec line shows the window, acts on keys and ends with status 0.
start() { python3 -B "$here/../e2e/e2e.py" package "$probe" $(sed -n 's/^Exec=//p' "$1/usr/share/applications/$app.desktop"); }

known=$(dpkg-query -W -f='${db:Status-Status}' zobu 2>/dev/null | grep -vx not-installed || true)
if [ "$(id -u)" -ne 0 ] || [ -n "$known" ]; then
    echo "Skipped the install half: $([ -n "$known" ] && echo "a zobu package is $known, the user's own" ||
        echo "dpkg -i needs root"). The program unpacked from the package runs instead."
    PATH="$scratch/root/usr/bin:$PATH" start "$scratch/root"
    exit 0
fi
trap 'dpkg --purge zobu >/dev/null 2>&1; rm -rf "$scratch"' EXIT  # also when a check below fails
# Where dpkg-shlibdeps is missing, no package is built rather than one without its libraries.
if said=$(unshare -m sh -c 'mount --bind /dev/null /usr/bin/dpkg-shlibdeps && exec "$0" -G DEB --config "$1" -B "$2"' \
    "$cpack" "$release/CPackConfig.cmake" "$scratch/bare" 2>&1) || ! grep -q "needs dpkg-shlibdeps" <<<"$said"; then
    echo "A package built without dpkg-shlibdeps: $said" >&2 && exit 1
fi
# What a package can leave, without dpkg's own records and the X server's passing keymaps.
system() { find /etc /opt /usr /var/lib -path /var/lib/dpkg -prune -o -path /var/lib/xkb -prune -o -print | sort; }
before=$(system)
dpkg -i "$deb" >/dev/null
start ""
english=$(LC_ALL=C.UTF-8 man zobu)
chinese=$(LC_ALL=zh_CN.UTF-8 man zobu)
grep -qx NAME <<<"$english"
LC_ALL=C.UTF-8 grep -qx 名称 <<<"$chinese"
! LC_ALL=C.UTF-8 grep '[，。：；、] ' <<<"$chinese" || { echo "a space after Chinese punctuation" >&2 && exit 1; }
# The package has no conffiles: its removal alone leaves nothing, and its purge nothing either.
for remove in -r --purge; do
    dpkg "$remove" zobu >/dev/null 2>&1
    left=$(comm -13 <(echo "$before") <(system))
    [ -z "$left" ] || { echo "dpkg $remove zobu left: $left" >&2 && exit 1; }
done
