# Where `cmake --install` (and so the Debian package) puts the calculator: the program in
# bin/ and its licence; data/ adds the desktop entry, the AppStream metainfo and the icons.
include(GNUInstallDirs)

# The one name under which desktops, software centres and icon themes know the calculator:
# desktop entry, metainfo component and icon all carry it, and the program tells it to the
# desktop so that its window finds them. Lower case, as AppStream asks.
set(ZOBU_APP_ID "io.github.zobu.zobu")

if(TARGET zobu)
    target_compile_definitions(zobu PRIVATE ZOBU_APP_ID="${ZOBU_APP_ID}")
    install(TARGETS zobu RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    # A stripped install (CPack's) strips as Debian does: the symbols, and the compilers' notes
    # in .comment and .note, which nothing reads at run time.
    install(CODE "if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/zobu\" COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endif()

# Debian looks for a package's licence in /usr/share/doc/<package>/copyright.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
