# Windows only: the program file carries the calculator's icon and its version information
# (app/zobu.rc.in). The icon is data/icons/zobu.ico, the 32 x 32 16-colour drawing first;
# the Linux build regenerates it from zobu.xpm and its tests check the two agree.
if(NOT WIN32 OR NOT TARGET zobu)
    return()
endif()

# Version numbers for VERSIONINFO: four 16-bit parts, missing ones count as 0.
foreach(_part MAJOR MINOR PATCH TWEAK)
    if(PROJECT_VERSION_${_part} STREQUAL "")
        set(ZOBU_VERSION_${_part} 0)
    else()
        set(ZOBU_VERSION_${_part} ${PROJECT_VERSION_${_part}})
    endif()
endforeach()

set(ZOBU_RC_ICON ${PROJECT_SOURCE_DIR}/data/icons/zobu.ico)
configure_file(${PROJECT_SOURCE_DIR}/app/zobu.rc.in ${PROJECT_BINARY_DIR}/app/zobu.rc @ONLY)
target_sources(zobu PRIVATE ${PROJECT_BINARY_DIR}/app/zobu.rc)
set_source_files_properties(${PROJECT_BINARY_DIR}/app/zobu.rc PROPERTIES
    OBJECT_DEPENDS ${ZOBU_RC_ICON})

install(TARGETS zobu RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
