# Packages built with CPack: on Linux a Debian package (`cpack -G DEB` in the build
# directory), for Windows zobu-<version>-win64.zip with the program, README and licence, and
# zobu-<version>-win64.msi, an installer of the same files (where wixl is found).
if(NOT TARGET zobu)
    return()
endif()

set(CPACK_PACKAGE_NAME zobu)
set(CPACK_PACKAGE_VENDOR "${ZOBU_VENDOR}")
set(CPACK_PACKAGE_CONTACT "${ZOBU_VENDOR} <developers@zobu.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small desktop calculator working strictly left to right")
set(CPACK_PACKAGE_DESCRIPTION
    "Zobu is a small desktop calculator with a Simplified Chinese interface.
It computes one operation at a time, strictly left to right without
operator precedence, and shows the operation it completed on a history
line. It can undo the last operation, copies the display to and pastes
numbers from the system clipboard, and can be worked from the keyboard.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Zobu)
set(CPACK_STRIP_FILES ON)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
    # The files at the top of the archive, not in a folder named after it.
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    # The installer: wixl (msitools) builds it from data/zobu.wxs; its Start menu shortcut is
    # named as the desktop entry is under a Chinese locale.
    find_program(ZOBU_WIXL wixl)
    find_program(ZOBU_MSIBUILD msibuild)
    if(ZOBU_WIXL AND ZOBU_MSIBUILD)
        list(APPEND CPACK_GENERATOR External)
        set(CPACK_EXTERNAL_ENABLE_STAGING ON)
        set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${PROJECT_SOURCE_DIR}/cmake/msi.cmake)
        set(CPACK_ZOBU_WIXL ${ZOBU_WIXL})
        set(CPACK_ZOBU_MSIBUILD ${ZOBU_MSIBUILD})
        set(CPACK_ZOBU_WXS ${PROJECT_SOURCE_DIR}/data/zobu.wxs)
        set(CPACK_ZOBU_SHORTCUT_NAME "${ZOBU_CHINESE_NAME}")
        set(CPACK_ZOBU_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
    else()
        message(STATUS "wixl or msibuild (msitools) not found: cpack makes no installer")
    endif()
else()
    set(CPACK_GENERATOR DEB)
endif()

# zobu_1.0.0-1_amd64.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZOBU_DEBIAN_REVISION})  # the changelog's
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
# The libraries come from dpkg-shlibdeps. The fonts are what the window falls back to for
# "Lucida Console" (a fixed-pitch face) and "宋体" (Chinese characters); nothing links them,
# so they are named, in qt/font_packages.txt beside the faces. Their own packages' triggers run
# fontconfig's fc-cache when they are installed (fontconfig comes with libqt6gui6), so the cache is ready before the first start.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
file(STRINGS ${PROJECT_SOURCE_DIR}/qt/font_packages.txt _fonts REGEX "^[^#]" ENCODING UTF-8)
list(JOIN _fonts ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# Qt's Wayland plugin, recommended rather than required: without it the window still opens in a
# Wayland session (GNOME's and KDE Plasma's default), through XWayland, which a compositor may
# not run; with it the window is the compositor's own and its keys are read in its keymap.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)

include(CPack)
