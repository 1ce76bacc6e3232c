# Installation: the program in bin/, its help book in share/quorvantel/help, and
# the desktop entry, icons and AppStream metadata where desktops look for them.
# `cpack -G DEB` in the build folder makes a .deb from the same rules.
include(GNUInstallDirs)

set(QV_APP_ID net.brindlemoor.Quorvantel)

if(TARGET quorvantel)
    install(TARGETS quorvantel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${QV_SOURCE_ROOT}/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvantel/help
    FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png" PATTERN "*.txt")
install(FILES ${QV_SOURCE_ROOT}/resources/${QV_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QV_SOURCE_ROOT}/resources/${QV_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QV_SOURCE_ROOT}/resources/icons/quorvantel.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QV_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${QV_SOURCE_ROOT}/resources/icons/quorvantel-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${QV_APP_ID}.png)
endforeach()

set(CPACK_PACKAGE_NAME quorvantel)
set(CPACK_PACKAGE_VENDOR Brindlemoor)
set(CPACK_PACKAGE_CONTACT "Brindlemoor <quorvantel@brindlemoor.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Named countdown timers with spoken announcements and alarms")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
