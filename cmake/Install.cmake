# SPDX-License-Identifier: MIT
# Installation and the Debian package: the two programs, the desktop entry, the icons and the
# AppStream metadata, and nothing else. The package installs under /usr; `cmake --install` under
# CMAKE_INSTALL_PREFIX (/usr/local unless told otherwise).
include(GNUInstallDirs)

# The desktop entry's name; the AppStream component and the window carry the same.
set(VANTREL_APP_ID invalid.vantrel.vantrel)

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

# --- the Debian package (`make package`) ---
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "Vantrel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trim 16-bit TIFF film scans to a fixed frame")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrel opens a batch of uncompressed 16-bit TIFF film scans, shows one at a time and
writes exactly the samples inside a fixed-size crop frame, word for word, to a new TIFF
that keeps the source's byte order and tags. It can also rotate, mirror and invert a
scan without loss. The package also holds vantrel-tiff, a command-line companion for
inspecting, cropping and rendering scans.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vantrel developers")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the programs link come from dpkg-shlibdeps; the Qt plug-ins the window loads at
# run time (the X11 and Wayland platforms, the SVG icon engine) are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
include(CPack)
