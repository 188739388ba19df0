# SPDX-License-Identifier: MIT
# Installation and the Debian package: the two programs, their manual pages, the desktop entry,
# the icons, the AppStream metadata, the bash completion of vantrel-tiff, the copyright and the
# changelog. The package installs exactly these under /usr; `cmake --install` under
# CMAKE_INSTALL_PREFIX (/usr/local unless told otherwise).
include(GNUInstallDirs)

# The desktop entry's name; the AppStream component and the window carry the same.
set(VANTREL_APP_ID invalid.vantrel.vantrel)
# Folders made by the installation are readable by all, whatever the umask of the build.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Our programs link no libraries of their own: no run-time search path in the installed files.
set_target_properties(vantrel vantrel-tiff PROPERTIES INSTALL_RPATH "")
install(TARGETS vantrel vantrel-tiff RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/${VANTREL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/${VANTREL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(VANTREL_ICON_SIZES 16 24 32 48 64 128 256)
foreach(size IN LISTS VANTREL_ICON_SIZES)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/vantrel-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME vantrel.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/vantrel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

install(FILES ${PROJECT_SOURCE_DIR}/resources/bash-completion/vantrel-tiff
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Manual pages and the changelog are installed compressed as Debian wants them: gzip at its
# best compression, without name or time stamp, so that the same source gives the same bytes.
find_program(VANTREL_GZIP gzip REQUIRED)
set(VANTREL_COMPRESSED_DIR ${PROJECT_BINARY_DIR}/compressed)
set(VANTREL_COMPRESSED_FILES)
function(vantrel_compress source name)
  set(copy ${VANTREL_COMPRESSED_DIR}/${name})
  add_custom_command(OUTPUT ${copy}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
                     COMMAND ${VANTREL_GZIP} -9nf ${copy}
                     DEPENDS ${source} VERBATIM)
  set(VANTREL_COMPRESSED_FILES ${VANTREL_COMPRESSED_FILES} ${copy}.gz PARENT_SCOPE)
endfunction()
vantrel_compress(${PROJECT_SOURCE_DIR}/man/vantrel.1 vantrel.1)
vantrel_compress(${PROJECT_SOURCE_DIR}/man/vantrel-tiff.1 vantrel-tiff.1)
vantrel_compress(${PROJECT_SOURCE_DIR}/packaging/debian/changelog changelog)
add_custom_target(vantrel_compressed_files ALL DEPENDS ${VANTREL_COMPRESSED_FILES})

install(FILES ${VANTREL_COMPRESSED_DIR}/vantrel.1.gz ${VANTREL_COMPRESSED_DIR}/vantrel-tiff.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The package's documentation folder is named after the package, whatever the prefix.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright
              ${VANTREL_COMPRESSED_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vantrel)

# --- the Debian package (`make package`) ---
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "Vantrel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trim 16-bit TIFF film scans to a fixed frame")
# The lines of the long description stay within the 80 columns that package tools show.
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrel opens a batch of uncompressed 16-bit TIFF film scans, shows one at a
time and writes exactly the samples inside a fixed-size crop frame, word for
word, to a new TIFF that keeps the source's byte order and tags. It can also
rotate, mirror and invert a scan without loss. Its window speaks Russian.

The package also holds vantrel-tiff, a command-line companion for inspecting,
cropping and rendering scans.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vantrel developers <vantrel@users.noreply.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the programs link come from dpkg-shlibdeps; what the window loads at run time is
# named here: the X11 and Wayland platforms, the SVG icon engine and Qt's own translations
# for its dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n")
include(CPack)
