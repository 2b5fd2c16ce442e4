# The Debian package (cd build && cpack): the installed tree under /usr. Its run-time
# dependencies are the shared libraries the program links against, as dpkg-shlibdeps finds
# them (SDL2 and its image, font and mixer libraries, fontconfig), and the two font packages
# whose faces the program asks fontconfig for.
#
# The FFmpeg libraries are not linked: the program opens them when the intro plays and starts
# without them (then without its intro). dpkg-shlibdeps cannot see them, so their packages are
# named here, as Recommends: installed by default, left out with --no-install-recommends. Each
# is found as dpkg-shlibdeps finds a library's package: the owner of the library file of the
# soname, with the minimum version of the owner's shlibs entry.
set(KW_VIDEO_RECOMMENDS "")
foreach(module avutil swresample swscale avcodec avformat)
  string(REGEX MATCH "^[0-9]+" major "${FFMPEG_lib${module}_VERSION}")
  set(soname lib${module}.so.${major})
  set(dependency lib${module}${major})
  execute_process(COMMAND dpkg-query -S "${FFMPEG_lib${module}_LIBDIR}/${soname}"
                  OUTPUT_VARIABLE owner ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(NOT failed AND owner MATCHES "^([^:, ]+)(:[^:, ]+)?: ")
    set(package ${CMAKE_MATCH_1}${CMAKE_MATCH_2})
    set(dependency ${CMAKE_MATCH_1})
    execute_process(COMMAND dpkg-query --control-show ${package} shlibs
                    OUTPUT_VARIABLE shlibs ERROR_QUIET RESULT_VARIABLE failed)
    if(NOT failed AND shlibs MATCHES "(^|\n)lib${module} ${major} ([^\n]+)")
      string(STRIP "${CMAKE_MATCH_2}" dependency)
    endif()
  endif()
  list(APPEND KW_VIDEO_RECOMMENDS "${dependency}")
endforeach()
list(JOIN KW_VIDEO_RECOMMENDS ", " KW_VIDEO_RECOMMENDS)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME knobelwerk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Knobelwerk developers")
set(CPACK_PACKAGE_CONTACT ${KW_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sixteen short brain-training games")
# Lines of the long description stay within 80 columns, as Debian's tools want them.
set(CPACK_PACKAGE_DESCRIPTION
    "Knobelwerk is a collection of sixteen short games that train memory, logic,
mental arithmetic and the sense of time, each at three levels and graded with
a German school grade from 1.0 to 6.0. Every game keeps its statistics and a
top-ten list; a series plays all sixteen in a row. The texts are in German
and English.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KW_PROJECT_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-comic-neue")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${KW_VIDEO_RECOMMENDS}")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Reproducible packages: cpack stamps every file of the package with SOURCE_DATE_EPOCH. When
# the caller sets none, it is the time of the source's last commit, read when cpack runs
# (without git, the date of the newest release in CHANGELOG.md).
set(KW_CPACK_PROJECT_CONFIG ${CMAKE_BINARY_DIR}/CPackProjectConfig.cmake)
file(WRITE ${KW_CPACK_PROJECT_CONFIG} "\
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} ${KW_RELEASE_EPOCH})
  execute_process(COMMAND git -C \"${CMAKE_SOURCE_DIR}\" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
  if(NOT failed AND epoch MATCHES \"^[0-9]+$\")
    set(ENV{SOURCE_DATE_EPOCH} \${epoch})
  endif()
endif()
")
set(CPACK_PROJECT_CONFIG_FILE ${KW_CPACK_PROJECT_CONFIG})
include(CPack)
