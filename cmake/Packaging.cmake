# Installing Setwright as a desktop program (cmake --install).
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

