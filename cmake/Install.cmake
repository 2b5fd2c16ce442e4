# Installation as a desktop game: the program in libexec, the read-only data in
# share/knobelwerk, the launcher "knobelwerk" in games (where Debian keeps the commands of
# games, on every user's PATH), the desktop entry, icons, AppStream metadata, the manual page,
# the copyright and changelog in their standard places.
include(GNUInstallDirs)

# The application's identity in the desktop (desktop entry, icon and metadata file names) and
# the project's web address (the metadata's homepage and screenshot).
set(KW_APP_ID "io.github.knobelwerk.knobelwerk" CACHE STRING "Reverse-DNS id of the application")
set(KW_PROJECT_URL "https://github.com/knobelwerk/knobelwerk" CACHE STRING "Home page of the project")
set(KW_SCREENSHOTS_URL "${KW_PROJECT_URL}/raw/main/data/desktop/screenshots" CACHE STRING
    "Web address of the folder data/desktop/screenshots for the AppStream metadata")
set(KW_INSTALL_LAUNCHERDIR games CACHE STRING
    "Folder of the launcher below the prefix: games as on Debian, or bin where games live there")
set(KW_PACKAGE_MAINTAINER "The Knobelwerk developers <knobelwerk@users.noreply.github.com>" CACHE STRING
    "Maintainer of the Debian package, also named in its changelog")
include(${CMAKE_CURRENT_LIST_DIR}/Changelog.cmake)

set(KW_DESKTOP_SRC ${CMAKE_SOURCE_DIR}/data/desktop)
set(KW_DESKTOP_DIR ${CMAKE_BINARY_DIR}/desktop)
set(KW_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/knobelwerk)
set(KW_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_LIBEXECDIR}/knobelwerk)

# The launcher finds the data and the program relative to its own folder, so the installed
# tree works wherever it is unpacked (a DESTDIR, a package, a moved prefix).
file(RELATIVE_PATH KW_LAUNCHER_TO_DATA ${CMAKE_INSTALL_PREFIX}/${KW_INSTALL_LAUNCHERDIR}
     ${CMAKE_INSTALL_PREFIX}/${KW_INSTALL_DATADIR})
file(RELATIVE_PATH KW_LAUNCHER_TO_PROGRAM ${CMAKE_INSTALL_PREFIX}/${KW_INSTALL_LAUNCHERDIR}
     ${CMAKE_INSTALL_PREFIX}/${KW_INSTALL_PROGRAMDIR}/knobelwerk)

# The store screenshots: name, English caption, German caption. The screenshots target takes
# them from the real program (tools/screenshots); the published copies in
# data/desktop/screenshots are what the metadata links to.
set(KW_SCREENSHOTS
  "menu|The main menu: single games, a series of all sixteen, statistics and rules|Das Hauptmenü: einzelne Spiele, eine Serie aller sechzehn, Statistiken und Regeln"
  "memory|Find the pairs, one of the memory games|Paare finden, eines der Gedächtnisspiele"
  "sudoku|Sudoku, one of the logic games|Sudoku, eines der Logikspiele"
  "change|Giving change, one of the arithmetic and money games|Wechselgeld, eines der Rechen- und Geldspiele"
  "clock|Reading clocks, one of the clock and calendar games|Uhr lesen, eines der Spiele mit Uhr und Kalender"
  "result|The result page with the school grade of a game|Die Ergebnisseite mit der Schulnote eines Spiels")
set(KW_SCREENSHOTS_XML "")
set(KW_SCREENSHOT_NAMES "")
set(type " type=\"default\"")
foreach(entry IN LISTS KW_SCREENSHOTS)
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 name)
  list(GET entry 1 caption)
  list(GET entry 2 caption_de)
  list(APPEND KW_SCREENSHOT_NAMES ${name})
  string(APPEND KW_SCREENSHOTS_XML
    "    <screenshot${type}>\n"
    "      <caption>${caption}</caption>\n"
    "      <caption xml:lang=\"de\">${caption_de}</caption>\n"
    "      <image type=\"source\" width=\"1024\" height=\"768\">${KW_SCREENSHOTS_URL}/${name}.png</image>\n"
    "    </screenshot>\n")
  set(type "")
endforeach()

configure_file(${KW_DESKTOP_SRC}/knobelwerk.sh.in ${KW_DESKTOP_DIR}/knobelwerk @ONLY)
configure_file(${KW_DESKTOP_SRC}/knobelwerk.desktop.in ${KW_DESKTOP_DIR}/${KW_APP_ID}.desktop @ONLY)
configure_file(${KW_DESKTOP_SRC}/knobelwerk.metainfo.xml.in ${KW_DESKTOP_DIR}/${KW_APP_ID}.metainfo.xml @ONLY)

# The Debian changelog from CHANGELOG.md, and the machine-readable copyright file with the
# licence text of LICENSE (its paragraphs as the format wants them: indented, empty lines as
# " .").
# (Written beside and copied, so that an unchanged changelog keeps its time and is not compressed again.)
file(WRITE ${KW_DESKTOP_DIR}/changelog.new "${KW_DEBIAN_CHANGELOG}")
configure_file(${KW_DESKTOP_DIR}/changelog.new ${KW_DESKTOP_DIR}/changelog COPYONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)
file(READ ${CMAKE_SOURCE_DIR}/LICENSE KW_LICENSE_TEXT)
string(REGEX REPLACE "^.*\n(Permission is hereby)" "\\1" KW_LICENSE_TEXT "${KW_LICENSE_TEXT}")
string(STRIP "${KW_LICENSE_TEXT}" KW_LICENSE_TEXT)
string(REPLACE "\n\n" "\n.\n" KW_LICENSE_TEXT "${KW_LICENSE_TEXT}")
string(REPLACE "\n" "\n " KW_LICENSE_TEXT "${KW_LICENSE_TEXT}")
string(SUBSTRING "${KW_RELEASE_DATE}" 0 4 KW_COPYRIGHT_YEAR)
configure_file(${KW_DESKTOP_SRC}/copyright.in ${KW_DESKTOP_DIR}/copyright @ONLY)

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
configure_file(${KW_DESKTOP_SRC}/knobelwerk.6.in ${KW_DESKTOP_DIR}/knobelwerk.6 @ONLY)
add_custom_command(OUTPUT ${KW_DESKTOP_DIR}/knobelwerk.6.gz
  COMMAND gzip -9 -n -c ${KW_DESKTOP_DIR}/knobelwerk.6 > ${KW_DESKTOP_DIR}/knobelwerk.6.gz
  DEPENDS ${KW_DESKTOP_DIR}/knobelwerk.6
  COMMENT "Compressing the manual page")
add_custom_command(OUTPUT ${KW_DESKTOP_DIR}/changelog.gz
  COMMAND gzip -9 -n -c ${KW_DESKTOP_DIR}/changelog > ${KW_DESKTOP_DIR}/changelog.gz
  DEPENDS ${KW_DESKTOP_DIR}/changelog
  COMMENT "Compressing the changelog")
add_custom_target(desktopfiles ALL DEPENDS ${KW_ICON_OUTPUTS} ${KW_DESKTOP_DIR}/knobelwerk.6.gz
  ${KW_DESKTOP_DIR}/changelog.gz)

# The screenshots, on demand (cmake --build BUILD --target screenshots): the program runs
# under Xvfb for about a minute, which a normal build need not wait for.
find_package(Python3 COMPONENTS Interpreter QUIET)
if(Python3_FOUND)
  add_custom_target(screenshots
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 SDL_AUDIODRIVER=dummy
            ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/screenshots/shoot.py $<TARGET_FILE:knobelwerk>
            ${KW_DATA_DIR} ${CMAKE_BINARY_DIR}/screenshots ${KW_SCREENSHOT_NAMES}
    DEPENDS knobelwerk gamedata
    COMMENT "Taking the store screenshots under Xvfb"
    VERBATIM)
endif()

install(TARGETS knobelwerk RUNTIME DESTINATION ${KW_INSTALL_PROGRAMDIR})
install(PROGRAMS ${KW_DESKTOP_DIR}/knobelwerk DESTINATION ${KW_INSTALL_LAUNCHERDIR})
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
install(FILES ${KW_DESKTOP_DIR}/copyright ${KW_DESKTOP_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/knobelwerk)
# What lintian reports about the package and is right as it is, each with its reason.
install(FILES ${KW_DESKTOP_SRC}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME knobelwerk)
