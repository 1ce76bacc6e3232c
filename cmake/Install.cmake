# Installation: the program `quorvantel` in bin/, its sound module in
# lib/<arch>/quorvantel, its help book in
# share/quorvantel/help, the desktop entry, icons and AppStream metadata where
# desktops look for them, the D-Bus service file, the manual page, and the licence and changelog in
# share/doc/quorvantel. scripts/package.sh makes the Debian package from the
# same rules (`cpack -G DEB` in a build configured as that script does).
include(GNUInstallDirs)

set(QV_APP_ID net.brindlemoor.Quorvantel)
set(QV_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quorvantel)

install(TARGETS quorvantel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quorvantel-sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/quorvantel)
install(DIRECTORY ${QV_SOURCE_ROOT}/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvantel/help
    FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png" PATTERN "*.txt")
install(FILES ${QV_SOURCE_ROOT}/resources/${QV_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The desktop entry is D-Bus activatable: the session bus starts the program
# by its name when a launcher or a desktop action asks for it. The service
# file names the program by its full path, so it is written at install time,
# for the prefix installed to (cmake --install --prefix, or the package's).
install(CODE "
    set(dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/dbus-1/services\")
    set(bin \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${dir}\")
    file(WRITE \"\${dir}/${QV_APP_ID}.service\"
        \"[D-BUS Service]\\nName=${QV_APP_ID}\\nExec=\${bin}/quorvantel\\n\")
    message(STATUS \"Installing: \${dir}/${QV_APP_ID}.service\")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${dir}/${QV_APP_ID}.service\")
")
configure_file(${QV_SOURCE_ROOT}/resources/${QV_APP_ID}.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/resources/${QV_APP_ID}.metainfo.xml @ONLY)
configure_file(${QV_SOURCE_ROOT}/resources/quorvantel.1.in
    ${CMAKE_BINARY_DIR}/resources/quorvantel.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/resources/${QV_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QV_SOURCE_ROOT}/resources/icons/quorvantel.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QV_APP_ID}.svg)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${QV_SOURCE_ROOT}/resources/icons/quorvantel-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${QV_APP_ID}.png)
endforeach()

# The manual page and the changelog are installed compressed, without a time
# stamp in the gzip header, so that two builds of the same sources give the
# same package. They are made while configuring, which every edit of them
# repeats.
set(QV_GZ_DIR ${CMAKE_BINARY_DIR}/compressed)
file(MAKE_DIRECTORY ${QV_GZ_DIR})
function(qv_gzip source output)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    execute_process(COMMAND gzip -9 -n -c ${source} OUTPUT_FILE ${QV_GZ_DIR}/${output}
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "gzip ${source} failed")
    endif()
endfunction()
qv_gzip(${CMAKE_BINARY_DIR}/resources/quorvantel.1 quorvantel.1.gz)
qv_gzip(${QV_SOURCE_ROOT}/resources/debian/changelog changelog.gz)
install(FILES ${QV_GZ_DIR}/quorvantel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${QV_GZ_DIR}/changelog.gz ${QV_SOURCE_ROOT}/resources/debian/copyright
    DESTINATION ${QV_DOC_DIR})

set(CPACK_PACKAGE_NAME quorvantel)
set(CPACK_PACKAGE_VENDOR Brindlemoor)
set(CPACK_PACKAGE_CONTACT "Brindlemoor <quorvantel@brindlemoor.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "named countdown timers with spoken announcements and alarms")
set(CPACK_PACKAGE_DESCRIPTION [=[
Quorvantel is a desktop countdown timer. It keeps up to 100 named
timers; each counts down from up to 99:59:59 in large segmented LED
digits and may loop. While it runs it can speak the time left, beep or
tick at the intervals you choose, up to three rules take over near the
end, and at zero it plays a fanfare, a long beep or a WAV file of your
own.

SPACE starts and stops the selected timer, ESC resets it. Each user's
timers are kept in that user's data folder.]=])
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.brindlemoor.net/quorvantel)
set(CPACK_RESOURCE_FILE_LICENSE ${QV_SOURCE_ROOT}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own translations give the standard dialogs and buttons the language
# the program's texts are in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse, qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
