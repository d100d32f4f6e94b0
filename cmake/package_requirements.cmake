# Read by cpack before each package it builds (CPACK_PROJECT_CONFIG_FILE). Without
# dpkg-shlibdeps, or file that shows it the programs, CPack would build a Debian package whose
# Depends names the fonts alone: it installs, and then the program cannot start. The two are
# looked for here, under the names CPack's DEB generator then takes them by.
if(CPACK_GENERATOR STREQUAL "DEB")
    cmake_policy(SET CMP0109 NEW)  # a program is what may be run
    find_program(SHLIBDEPS_EXECUTABLE dpkg-shlibdeps)
    find_program(FILE_EXECUTABLE file)
    if(NOT SHLIBDEPS_EXECUTABLE OR NOT FILE_EXECUTABLE)
        message(FATAL_ERROR "The Debian package needs dpkg-shlibdeps (from dpkg-dev) and file to "
            "name the libraries zobu links: without them it would not depend on Qt or the C library. "
            "Install dpkg-dev and file, or build the package with scripts/package.sh deb, which does.")
    endif()
endif()
