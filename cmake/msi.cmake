# Run by CPack's External generator in the Windows build (cmake/packaging.cmake): wixl builds
# <package>.msi from data/zobu.wxs and the files CPack staged, the ZIP's files.
set(_msi ${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi)
execute_process(COMMAND ${CPACK_ZOBU_WIXL} --arch x64 --define Version=${CPACK_PACKAGE_VERSION}
    --define "Vendor=${CPACK_PACKAGE_VENDOR}" --define Homepage=${CPACK_ZOBU_HOMEPAGE}
    --output ${_msi} ${CPACK_ZOBU_WXS}
    WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)

# wixl gives the database no code page (its Codepage attribute is ignored) and so drops every
# character outside ASCII. Code page 936, Simplified Chinese, holds the shortcut's Chinese name;
# Windows Installer reads the strings through the database's code page, whatever the system's
# own. "ZOBU" is the name's 8.3 form.
set(_codepage ${CPACK_TOPLEVEL_DIRECTORY}/_ForceCodepage.idt)
file(WRITE ${_codepage} "\r\n\r\n936\t_ForceCodepage\r\n")
execute_process(COMMAND ${CPACK_ZOBU_MSIBUILD} ${_msi} -i ${_codepage}
    -q "UPDATE `Shortcut` SET `Name` = 'ZOBU|${CPACK_ZOBU_SHORTCUT_NAME}'" COMMAND_ERROR_IS_FATAL ANY)

set(CPACK_EXTERNAL_BUILT_PACKAGES ${_msi})
