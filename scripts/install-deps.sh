#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs every Debian package that the build, the program and the tests need.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build make pkg-config
  # the program
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev qt6-translations-l10n
  # the window's English: lupdate and lrelease
  qt6-l10n-tools
  # tests and benchmarks
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libtiff-dev libtiff-tools libimage-exiftool-perl imagemagick python3-tifffile
  xvfb xauth fonts-dejavu-core
  # number formats under a Russian locale in the value text tests
  locales-all
  # the Debian package, the icons and the README's screenshot
  dpkg-dev librsvg2-bin xdotool
  # the package's checks: lintian, desktop entry, AppStream metadata, manual pages, completion
  lintian desktop-file-utils appstream man-db bash-completion
  # fuzzing and sanitizers; the format check
  clang libclang-rt-14-dev clang-format
)

"$(dirname "$0")/install-missing.sh" "${packages[@]}"
