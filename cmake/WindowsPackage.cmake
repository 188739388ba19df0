# SPDX-License-Identifier: MIT
# The Windows programs as a user gets them: `cmake --install` lays out the portable folder (the
# two programs, the Qt DLLs and plug-ins they load, the MinGW runtime DLLs, Qt's Russian texts,
# qt.conf, the licences); the target windows-package installs it into
# Vantrel-<version>-win64/ and packs Vantrel-<version>-win64.zip and, with NSIS,
# Vantrel-<version>-win64-setup.exe beside it in the build folder.
set(VANTREL_WINDOWS_NAME Vantrel-${PROJECT_VERSION}-win64)
set(qt ${VANTREL_WINDOWS_QT})
set(mingw_runtime
    /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libstdc++-6.dll
    /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libgcc_s_seh-1.dll
    /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libssp-0.dll
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll)

install(TARGETS vantrel vantrel-tiff RUNTIME DESTINATION .)
install(FILES ${qt}/bin/Qt6Core.dll ${qt}/bin/Qt6Gui.dll ${qt}/bin/Qt6Widgets.dll
              ${mingw_runtime}
        DESTINATION .)
install(FILES ${qt}/plugins/platforms/qwindows.dll DESTINATION plugins/platforms)
# Qt's own texts (dialogs, context menus) in Russian; the files are the same on every system.
find_file(VANTREL_QT_RU_QM qtbase_ru.qm PATHS /usr/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
install(FILES ${VANTREL_QT_RU_QM} DESTINATION translations)
# Qt looks for its plug-ins and texts beside the program, wherever the folder is.
file(WRITE ${PROJECT_BINARY_DIR}/qt.conf "[Paths]\r\nPrefix = .\r\nPlugins = plugins\r\nTranslations = translations\r\n")
install(FILES ${PROJECT_BINARY_DIR}/qt.conf DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/THIRD-PARTY.txt DESTINATION .)
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION licenses RENAME LGPL-3.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION licenses RENAME GPL-3.txt)

find_program(VANTREL_MAKENSIS makensis)
set(stage ${PROJECT_BINARY_DIR}/${VANTREL_WINDOWS_NAME})
set(zip ${PROJECT_BINARY_DIR}/${VANTREL_WINDOWS_NAME}.zip)
set(setup ${PROJECT_BINARY_DIR}/${VANTREL_WINDOWS_NAME}-setup.exe)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/vantrel.nsi.in
               ${PROJECT_BINARY_DIR}/vantrel.nsi @ONLY)
add_custom_target(windows-package
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${zip} ${setup}
  COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR} --prefix ${stage}
  # The file list of the installer and of its uninstaller, from the folder itself.
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${stage} -DOUT=${PROJECT_BINARY_DIR}/vantrel-files.nsh
          -P ${PROJECT_SOURCE_DIR}/packaging/windows/FileList.cmake
  COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}
          ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${VANTREL_WINDOWS_NAME}
  COMMAND ${VANTREL_MAKENSIS} -V2 -NOCD ${PROJECT_BINARY_DIR}/vantrel.nsi
  COMMAND ${CMAKE_COMMAND} -E echo "Windows packages: ${zip} ${setup}"
  DEPENDS vantrel vantrel-tiff
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  VERBATIM)
