# SPDX-License-Identifier: MIT
# The Windows build: resources of the executables, the Qt-free programs linked alone, the
# portable folder and its zip and installer (target windows-package), and the tests under Wine.

# Debian's rcc (the host tool) would compress large resources with zstd, which the Qt built
# for Windows cannot read.
set(CMAKE_AUTORCC_OPTIONS --no-zstd)

# vantrel_windows_resources(TARGET DESCRIPTION [ICON]): the version resource, the manifest and
# the icon compiled into an executable.
function(vantrel_windows_resources target description)
  set(VANTREL_RC_NAME ${target})
  set(VANTREL_RC_DESCRIPTION ${description})
  set(VANTREL_RC_MANIFEST ${PROJECT_SOURCE_DIR}/resources/windows/vantrel.manifest)
  set(VANTREL_RC_ICON "")
  if(ARGV2)
    set(VANTREL_RC_ICON "1 ICON \"${ARGV2}\"")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/version.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc APPEND PROPERTY
               OBJECT_DEPENDS ${VANTREL_RC_MANIFEST} ${ARGV2})
endfunction()

# A program without Qt carries the C++ runtime inside: it runs from any folder alone.
function(vantrel_windows_standalone target)
  target_link_options(${target} PRIVATE -static)
endfunction()

# The tests run under Wine: CTest and gtest_discover_tests start every test program through
# the emulator, a script with the Wine prefix, the DLL folders and the locale of the tests.
if(BUILD_TESTING)
  set(VANTREL_WINE_PREFIX "" CACHE PATH "Wine prefix of the tests (scripts/windows-wine-prefix.sh)")
  if(NOT VANTREL_WINE_PREFIX)
    message(FATAL_ERROR "VANTREL_WINE_PREFIX is needed for the tests: make test-windows sets it")
  endif()
  set(VANTREL_WINE_DLL_PATH
      "${VANTREL_WINDOWS_QT}/bin;/usr/lib/gcc/x86_64-w64-mingw32/12-posix;/usr/x86_64-w64-mingw32/lib")
  configure_file(${PROJECT_SOURCE_DIR}/scripts/wine-run.sh.in
                 ${PROJECT_BINARY_DIR}/wine-run.sh @ONLY FILE_PERMISSIONS
                 OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                 WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)
  set(VANTREL_LINUX_CLI "" CACHE FILEPATH "The Linux vantrel-tiff the Windows one is compared with")
endif()
