# Installing Setwright as a desktop program (cmake --install) and its Debian package (make package).
# Only the two programs and their desktop files are installed: tests, benchmarks and fuzz targets
# have no install rules.
include(GNUInstallDirs)

set(SETWRIGHT_APP_ID org.example.setwright)
set(SETWRIGHT_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS setwright setwright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${SETWRIGHT_PACKAGING}/setwright.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SETWRIGHT_PACKAGING}/${SETWRIGHT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${SETWRIGHT_PACKAGING}/setwright-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME setwright.xml)
install(DIRECTORY ${SETWRIGHT_PACKAGING}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Debian wants manual pages compressed, with no time stamp so that two builds give the same file.
find_program(SETWRIGHT_GZIP gzip)
if(SETWRIGHT_GZIP)
  set(man_page ${CMAKE_CURRENT_BINARY_DIR}/setwright-cli.1.gz)
  add_custom_command(OUTPUT ${man_page}
                     COMMAND ${CMAKE_COMMAND} -E copy ${SETWRIGHT_PACKAGING}/setwright-cli.1 ${CMAKE_CURRENT_BINARY_DIR}
                     COMMAND ${SETWRIGHT_GZIP} -9nf ${CMAKE_CURRENT_BINARY_DIR}/setwright-cli.1
                     DEPENDS ${SETWRIGHT_PACKAGING}/setwright-cli.1 VERBATIM)
  add_custom_target(setwright_man_page ALL DEPENDS ${man_page})
else()
  set(man_page ${SETWRIGHT_PACKAGING}/setwright-cli.1)
endif()
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME setwright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Setwright developers")
set(CPACK_PACKAGE_CONTACT "Setwright developers <setwright@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the project files of a Windows post-install runtime")
set(CPACK_PACKAGE_DESCRIPTION
    "Setwright edits the project file of a Windows post-install runtime: the INI
file, in code page 1251, that tells the runtime which program groups and
programs to offer after a fresh Windows set-up, how to install each one, what
depends on what, and what to run before and after. It loads a project exactly
as the runtime reads it and writes it back in the runtime's format.

The package holds the editor, setwright, and its command-line companion,
setwright-cli, which dumps, checks, resaves and creates projects in scripts
and CI jobs.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The build keeps its debug information; the installed programs do not need it.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/setwright)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs (the file dialogs) speak Russian with these, like the rest of the window.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
include(CPack)
