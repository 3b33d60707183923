# SPDX-License-Identifier: MIT
# Run by cpack after each package it makes. After the NSIS installer, the same staged files become
# the MSI for school IT: wixl builds <package file name>.msi from malvoran.wxs, beside the installer,
# and msibuild puts in its Bulgarian texts (msi-texts.sql).
if(NOT CPACK_GENERATOR STREQUAL "NSIS")
    return()
endif()
# wixl finds files only by relative names, so it runs in the folder above the staged files.
cmake_path(GET CPACK_TEMPORARY_DIRECTORY PARENT_PATH work)
cmake_path(GET CPACK_TEMPORARY_DIRECTORY FILENAME staged)
file(COPY_FILE ${CPACK_NSIS_MUI_ICON} ${work}/malvoran.ico)
file(COPY_FILE ${CPACK_MALVORAN_PRACTICE_ICON} ${work}/malvoran-practice.ico)
set(msi ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi)
execute_process(
    COMMAND ${CPACK_MALVORAN_WIXL} --arch x64 --output ${msi}
            --define Version=${CPACK_PACKAGE_VERSION}
            --define Vendor=${CPACK_PACKAGE_VENDOR}
            --define HelpLink=${CPACK_NSIS_URL_INFO_ABOUT}
            --define SourceDir=${staged}
            --define Icon=malvoran.ico
            --define PracticeIcon=malvoran-practice.ico
            ${CPACK_MALVORAN_WXS}
    WORKING_DIRECTORY ${work}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "wixl could not build ${msi}:\n${output}")
endif()

# wixl leaves the database's codepage unset and so writes no Cyrillic into its tables: set it to
# 1251, then put in the Bulgarian texts.
file(WRITE ${work}/_ForceCodepage.idt "\r\n\r\n1251\t_ForceCodepage\r\n")
set(queries)
file(STRINGS ${CPACK_MALVORAN_MSI_TEXTS} statements ENCODING UTF-8 REGEX "^[^-]")
foreach(statement IN LISTS statements)
    list(APPEND queries -q "${statement}")
endforeach()
execute_process(
    COMMAND ${CPACK_MALVORAN_MSIBUILD} ${msi} -i ${work}/_ForceCodepage.idt ${queries}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "msibuild could not put the Bulgarian texts into ${msi}:\n${output}")
endif()
message(STATUS "- package: ${msi} generated.")
