# Windows only: a GUI-subsystem program (no console window) whose file carries the
# calculator's icon and version information, and an install step that copies the Qt
# libraries and plugins it needs next to it (windeployqt, through Qt's deployment script).
if(NOT WIN32 OR NOT TARGET zobu)
    return()
endif()

find_package(Qt6 REQUIRED COMPONENTS Core)

set_target_properties(zobu PROPERTIES WIN32_EXECUTABLE ON)

# Version numbers for VERSIONINFO: four 16-bit parts, missing ones count as 0.
foreach(_part MAJOR MINOR PATCH TWEAK)
    if(PROJECT_VERSION_${_part} STREQUAL "")
        set(ZOBU_VERSION_${_part} 0)
    else()
        set(ZOBU_VERSION_${_part} ${PROJECT_VERSION_${_part}})
    endif()
endforeach()

# The resource compiler reads the icon at compile time, so the script points at the .ico in
# the build tree and the compile waits for it to be generated.
set(ZOBU_RC_ICON ${ZOBU_WINDOWS_ICON})
configure_file(${PROJECT_SOURCE_DIR}/app/zobu.rc.in ${PROJECT_BINARY_DIR}/app/zobu.rc @ONLY)
target_sources(zobu PRIVATE ${PROJECT_BINARY_DIR}/app/zobu.rc)
set_source_files_properties(${PROJECT_BINARY_DIR}/app/zobu.rc PROPERTIES
    OBJECT_DEPENDS ${ZOBU_WINDOWS_ICON})
add_dependencies(zobu zobu_icons)

qt_generate_deploy_app_script(
    TARGET zobu
    FILENAME_VARIABLE _zobu_deploy_script
    NO_UNSUPPORTED_PLATFORM_ERROR)
install(SCRIPT ${_zobu_deploy_script})
