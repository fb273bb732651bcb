# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian and RPM packages: a system-wide install under /usr made by CPack from the install
# rules of the project. scripts/package.sh builds both; packaging/README.md says what the package
# checks leave.

include(GNUInstallDirs)
set(TOVELO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tovelo2)

# Debian wants the changelog compressed at the highest level, with no time stamp in it.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_LIST_DIR}/changelog)
execute_process(
    COMMAND gzip -9 -n -c ${CMAKE_CURRENT_LIST_DIR}/changelog
    OUTPUT_FILE ${CMAKE_BINARY_DIR}/changelog.gz
    COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
    DESTINATION ${TOVELO_DOC_DIR})
# The Russian guide with the pictures it shows, where its links find them.
install(FILES ${PROJECT_SOURCE_DIR}/docs/guide.md DESTINATION ${TOVELO_DOC_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/screenshots DESTINATION ${TOVELO_DOC_DIR}
    FILES_MATCHING PATTERN "*.png")

set(CPACK_PACKAGE_NAME tovelo2)
set(CPACK_PACKAGE_VENDOR "Seed 4f8660ec maintainers")
set(CPACK_PACKAGE_CONTACT
    "Seed 4f8660ec maintainers <maintainers@users.noreply.c-seed-4f8660ec.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drill trainer for schoolchildren (Russian interface)")
# Lines of at most 80 characters, as a Debian description wants them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tovelo2 drills schoolchildren in mental arithmetic (addition, subtraction,\n"
    "multiplication, division, or a mix of them, in a number range they choose)\n"
    "and in foreign words from a dictionary, against a time bar and a mistakes\n"
    "bar. Every game is ranked in the top twenty of its category and kept in a\n"
    "history. The interface is in Russian.\n"
    "Each account of the computer keeps its records, settings, dictionaries,\n"
    "pictures and sounds in its own data folder.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The menu entry names the program's folder as installed, so it is written with the real prefix.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies come from the libraries the program and its sound module link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, but looked for at run time: Russian texts of the standard dialog buttons, the
# typefaces the windows are drawn in, and KDE's word lists, which the vocabulary drill lists.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-translations-l10n, fonts-liberation2, fonts-roboto-unhinted, kdeedu-kvtml-data")

set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
# No weak dependency on the word lists: CPack offers only Suggests, and RPM distributions name
# and place KDE's word lists their own way.
# The menu entry names the folder, so the package cannot be moved elsewhere.
set(CPACK_RPM_PACKAGE_RELOCATABLE OFF)
set(CPACK_RPM_PACKAGE_LICENSE "GPL-3.0-or-later")
set(CPACK_RPM_PACKAGE_GROUP "Amusements/Teaching")
set(CPACK_RPM_CHANGELOG_FILE ${CMAKE_CURRENT_LIST_DIR}/changelog)
set(CPACK_TOVELO_LICENCE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_INSTALL_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/RpmLicence.cmake)
# Folders that the distribution's own packages hold are not claimed by this one.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
    /usr/libexec /usr/share/applications /usr/share/metainfo /usr/share/icons
    /usr/share/icons/hicolor /usr/share/man /usr/share/man/man1 /usr/share/man/ru
    /usr/share/man/ru/man1 /usr/share/licenses)
foreach(size 16 24 32 48 64 128 256)
    list(APPEND CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
        /usr/share/icons/hicolor/${size}x${size} /usr/share/icons/hicolor/${size}x${size}/apps)
endforeach()

include(CPack)
