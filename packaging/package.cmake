# The Debian package of the program: the program under /usr/bin, its fonts,
# a desktop menu entry with an icon, and the runtime libraries it needs.
include(GNUInstallDirs)
install(TARGETS borvinat RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Installed by ./dev into the build's program folder.
install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/fonts/ DESTINATION ${CMAKE_INSTALL_DATADIR}/borvinat/fonts
        FILES_MATCHING PATTERN "*.ttf" PATTERN "OFL.txt")
install(FILES ${CMAKE_CURRENT_LIST_DIR}/borvinat.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/borvinat.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME borvinat)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_CONTACT "Borvinat developers <borvinat@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Persian database client for village surveying, registration and plan studies")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Libraries the program links come from dpkg-shlibdeps; the plugins Qt loads
# at run time (the window system, the database drivers) are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libqt6sql6-odbc, tdsodbc")
include(CPack)
