# Installation as a desktop game: the program in libexec, the read-only data in
# share/knobelwerk, the launcher "knobelwerk" on the PATH, the desktop entry, icons, AppStream
# metadata and the manual page in their standard places.
include(GNUInstallDirs)

# The application's identity in the desktop (desktop entry, icon and metadata file names) and
# the project's web address (the metadata's homepage and screenshot).
set(KW_APP_ID "io.github.knobelwerk.knobelwerk" CACHE STRING "Reverse-DNS id of the application")
set(KW_PROJECT_URL "https://github.com/knobelwerk/knobelwerk" CACHE STRING "Home page of the project")
set(KW_SCREENSHOT_URL "${KW_PROJECT_URL}/raw/main/data/desktop/screenshot.png" CACHE STRING
    "Web address of data/desktop/screenshot.png for the AppStream metadata")
set(KW_SCREENSHOT_WIDTH 1024)
set(KW_SCREENSHOT_HEIGHT 768)
set(KW_RELEASE_DATE 2026-12-08)

set(KW_DESKTOP_SRC ${CMAKE_SOURCE_DIR}/data/desktop)
set(KW_DESKTOP_DIR ${CMAKE_BINARY_DIR}/desktop)
set(KW_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/knobelwerk)
set(KW_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_LIBEXECDIR}/knobelwerk)

# The launcher finds the data and the program relative to its own folder, so the installed
# tree works wherever it is unpacked (a DESTDIR, a package, a moved prefix).
file(RELATIVE_PATH KW_LAUNCHER_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${KW_INSTALL_DATADIR})
file(RELATIVE_PATH KW_LAUNCHER_TO_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${KW_INSTALL_PROGRAMDIR}/knobelwerk)
configure_file(${KW_DESKTOP_SRC}/knobelwerk.sh.in ${KW_DESKTOP_DIR}/knobelwerk @ONLY)
configure_file(${KW_DESKTOP_SRC}/knobelwerk.desktop.in ${KW_DESKTOP_DIR}/${KW_APP_ID}.desktop @ONLY)
configure_file(${KW_DESKTOP_SRC}/knobelwerk.metainfo.xml.in ${KW_DESKTOP_DIR}/${KW_APP_ID}.metainfo.xml @ONLY)

# The icon, drawn by the art generator; the manual page, compressed as Debian wants it
# (without a time stamp, so that builds are reproducible).
set(KW_ICON_SIZES 48 64 128 256)
set(KW_ICON_OUTPUTS ${KW_DESKTOP_DIR}/icons/icon.svg)
foreach(size ${KW_ICON_SIZES})
  list(APPEND KW_ICON_OUTPUTS ${KW_DESKTOP_DIR}/icons/icon-${size}.png)
endforeach()
add_custom_command(OUTPUT ${KW_ICON_OUTPUTS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KW_DESKTOP_DIR}/icons
  COMMAND artgen --icons ${KW_DESKTOP_DIR}/icons
  DEPENDS artgen
  COMMENT "Drawing the application icon")
add_custom_command(OUTPUT ${KW_DESKTOP_DIR}/knobelwerk.6.gz
  COMMAND gzip -9 -n -c ${KW_DESKTOP_SRC}/knobelwerk.6 > ${KW_DESKTOP_DIR}/knobelwerk.6.gz
  DEPENDS ${KW_DESKTOP_SRC}/knobelwerk.6
  COMMENT "Compressing the manual page")
add_custom_target(desktopfiles ALL DEPENDS ${KW_ICON_OUTPUTS} ${KW_DESKTOP_DIR}/knobelwerk.6.gz)

install(TARGETS knobelwerk RUNTIME DESTINATION ${KW_INSTALL_PROGRAMDIR})
install(PROGRAMS ${KW_DESKTOP_DIR}/knobelwerk DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${KW_DATA_DIR}/sport.gob ${KW_DATA_DIR}/deutsch.lng ${KW_DATA_DIR}/english.lng
              ${KW_DATA_DIR}/intro.avi
        DESTINATION ${KW_INSTALL_DATADIR})
install(FILES ${KW_DESKTOP_DIR}/${KW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KW_DESKTOP_DIR}/${KW_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${KW_ICON_SIZES})
  install(FILES ${KW_DESKTOP_DIR}/icons/icon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${KW_APP_ID}.png)
endforeach()
install(FILES ${KW_DESKTOP_DIR}/icons/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${KW_APP_ID}.svg)
install(FILES ${KW_DESKTOP_DIR}/knobelwerk.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
