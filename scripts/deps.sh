# Debian packages the project needs, and a function that installs the missing ones.
# Sourced by run.sh, test.sh and scripts/package.sh.

# What building and running the calculator needs; its faces' packages are listed beside them.
# The display server's keymap is read through xkbcommon (for X and for Wayland) and, on
# Wayland, a connection of the program's own; qt6-wayland is Qt's Wayland plugin.
mapfile -t ZOBU_FONT_PACKAGES < <(grep -v '^#' "$(dirname "${BASH_SOURCE[0]}")/../qt/font_packages.txt")
ZOBU_RUN_PACKAGES=(
    g++ cmake ninja-build pkgconf
    qt6-base-dev libx11-dev
    libxkbcommon-dev libxkbcommon-x11-dev libwayland-dev qt6-wayland
    fontconfig "${ZOBU_FONT_PACKAGES[@]}"
)

# What building the packages adds (scripts/package.sh): for the Debian package, dpkg-shlibdeps
# (dpkg-dev), which names the libraries of the programs that file finds; for the Windows ones,
# the MinGW-w64 cross compiler and the installer's wixl and msibuild (msitools).
ZOBU_DEB_PACKAGES=(dpkg-dev file)
ZOBU_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wixl msitools)

# What the tests add: unit test and benchmark libraries, Qt's platform headers (the
# accessibility tests switch on accessibility as a screen reader's bridge does), the Chinese
# faces whose line spacing the help panel must fit (Noto CJK's is the tallest), an X server
# and X tools for the end-to-end tests (setxkbmap for keyboard layouts) and the start-up
# benchmark's probe (DAMAGE to see frames, XTEST to press F1), clang's runtime
# for the fuzzers, the desktop entry and AppStream validators, lintian that checks the Debian
# package and man that reads its manual pages, Wine that runs the Windows program's end-to-end
# tests, and the locales' data. The Wayland rows add a compositor (sway), its clipboard's tools,
# the virtual keyboard's protocol scanner (libwayland-bin) and a session bus with the
# accessibility bus and its Python client.
ZOBU_TEST_PACKAGES=(
    "${ZOBU_RUN_PACKAGES[@]}" "${ZOBU_DEB_PACKAGES[@]}" "${ZOBU_WINDOWS_PACKAGES[@]}"
    googletest libgtest-dev libbenchmark-dev qt6-base-private-dev
    fonts-noto-cjk fonts-wqy-zenhei
    xvfb xauth xdotool xclip x11-xkb-utils libxdamage-dev libxtst-dev python3
    sway wl-clipboard libwayland-bin dbus at-spi2-core python3-gi gir1.2-atspi-2.0
    clang libclang-rt-14-dev
    clang-format
    desktop-file-utils appstream lintian man-db
    wine locales
)

zobu_as_root() {
    if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi
}

zobu_ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    zobu_as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive zobu_as_root apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
    # Build the font cache now, so the first start of the calculator does not pay for it.
    fc-cache -s >/dev/null 2>&1 || zobu_as_root fc-cache -s >/dev/null 2>&1 || true
}

# The tests' locales: German writes 0,5, and the end-to-end tests run the program in it, which
# must still write 0.5; man shows the Chinese manual page under zh_CN.UTF-8.
zobu_ensure_locales() {
    local missing=() name
    for name in "$@"; do  # locale -a writes de_DE.utf8
        locale -a | grep -qx "${name%.UTF-8}.utf8" || missing+=("$name")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Generating ${missing[*]}"
    for name in "${missing[@]}"; do
        grep -qx "$name UTF-8" /etc/locale.gen 2>/dev/null ||
            echo "$name UTF-8" | zobu_as_root tee -a /etc/locale.gen >/dev/null
    done
    zobu_as_root locale-gen >/dev/null
}
