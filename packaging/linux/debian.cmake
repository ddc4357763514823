# Desktop entry, icons, manual page and the Debian package's documents for Linux desktops, and
# the Debian package (`make package`).
install(FILES ${PROJECT_SOURCE_DIR}/packaging/morvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/morvane.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/morvane.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/morvane-48.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
        RENAME morvane.png)

# The changelog's latest entry and the manual page's header name the version being built.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog latest_entry LIMIT_COUNT 1)
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/morvane.1 manual_header REGEX "^\\.TH " LIMIT_COUNT 1)
string(REPLACE "." "\\." version_pattern "${PROJECT_VERSION}")
if(NOT latest_entry MATCHES "^morvane \\(${version_pattern}\\) ")
    message(FATAL_ERROR "packaging/changelog: the latest entry is not for version ${PROJECT_VERSION}")
endif()
if(NOT manual_header MATCHES "\"Morvane ${version_pattern}\"")
    message(FATAL_ERROR "packaging/morvane.1: the .TH line does not name version ${PROJECT_VERSION}")
endif()

# Both go in gzipped as Debian has them: -9, and -n for no name or time stamp inside.
find_program(GZIP gzip REQUIRED)
set(gzipped)
foreach(document changelog morvane.1)
    set(copy ${PROJECT_BINARY_DIR}/packaging/${document})
    add_custom_command(OUTPUT ${copy}.gz
                       COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${document} ${copy}
                       COMMAND ${GZIP} -9nf ${copy}
                       DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${document}
                       VERBATIM)
    list(APPEND gzipped ${copy}.gz)
endforeach()
add_custom_target(gzipped_documents ALL DEPENDS ${gzipped})
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/morvane) # the package's name, in lower case
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${docdir})
install(FILES ${PROJECT_BINARY_DIR}/packaging/morvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VENDOR "Morvane")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Shut down, restart or log off now, after a countdown or at a time of day")
# Lines of at most 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION "A small desktop utility with a Simplified Chinese interface that switches
the computer off, restarts it or logs the user off: at once after a
confirmation, after a countdown, or at a time of day, with a reminder before a
timed shutdown.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Morvane developers <morvane-dev@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON) # library dependencies from dpkg-shlibdeps
# Loaded at run time, so dpkg-shlibdeps cannot see them: Qt's windowing plugins, and its
# Simplified Chinese translations of its own texts (qtbase_zh_CN).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-zenhei | fonts-noto-cjk, systemd, qt6-wayland")
set(CPACK_STRIP_FILES ON)
include(CPack)
