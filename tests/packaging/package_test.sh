#!/usr/bin/env bash
# Builds the Debian package into a scratch directory and checks it as a user's system would
# meet it: the file name, the files it installs, its control fields, and that the program
# unpacked from it starts.
#
#   package_test.sh <cpack> <CPackConfig.cmake> <app-id> <icon sizes, ;-separated>
set -euo pipefail

cpack=$1
config=$2
app_id=$3
IFS=';' read -r -a sizes <<<"$4"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! "$cpack" -G DEB --config "$config" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    echo "FAIL: cpack could not build the package" >&2
    exit 1
fi
shopt -s nullglob
debs=("$scratch"/out/*.deb)
if [ ${#debs[@]} -ne 1 ]; then
    echo "FAIL: expected one .deb, found ${#debs[@]}" >&2
    exit 1
fi
deb=${debs[0]}
name=$(basename "$deb")
echo "built $name"

# Debian style: <package>_<upstream version>-<revision>_<architecture>.deb
arch=$(dpkg --print-architecture)
[[ $name =~ ^zobu_[0-9]+(\.[0-9]+)*-[0-9]+_${arch}\.deb$ ]] ||
    fail "package file name $name is not zobu_<version>-<revision>_${arch}.deb"

listing=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
expected=(
    ./usr/bin/zobu
    "./usr/share/applications/$app_id.desktop"
    "./usr/share/metainfo/$app_id.metainfo.xml"
    "./usr/share/icons/hicolor/scalable/apps/$app_id.svg"
)
for size in "${sizes[@]}"; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for path in "${expected[@]}"; do
    grep -qxF -- "$path" <<<"$listing" || fail "the package does not install $path"
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# One package name per line, without version constraints.
depends_names=$(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }')
for dependency in libqt6widgets6 fonts-dejavu-core fonts-arphic-uming; do
    grep -qxF -- "$dependency" <<<"$depends_names" || fail "Depends lacks $dependency"
done
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "Section is not utils"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer"
[ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "no Description"

# As a software centre sees the installed tree: metainfo, desktop entry and icons agree.
dpkg-deb -x "$deb" "$scratch/root"
appstreamcli validate-tree --no-net --pedantic --strict "$scratch/root" >"$scratch/tree.log" 2>&1 || {
    cat "$scratch/tree.log" >&2
    fail "appstreamcli does not accept the installed tree"
}

# The unpacked program must start: still running when timeout stops it (status 124).
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$scratch/root/usr/bin/zobu" >"$scratch/run.log" 2>&1 ||
    status=$?
if [ $status -ne 124 ]; then
    cat "$scratch/run.log" >&2
    fail "the installed zobu ended with status $status instead of running until stopped"
fi

[ $failures -eq 0 ] || exit 1
echo "package checks passed"
