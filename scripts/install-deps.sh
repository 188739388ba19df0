#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs every Debian package that the build, the program and the tests need.
# Quick when everything is already there: apt-get runs only for missing packages.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build make pkg-config
  # the program
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev qt6-translations-l10n
  # tests and benchmarks
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libtiff-dev libtiff-tools libimage-exiftool-perl imagemagick
  xvfb xauth fonts-dejavu-core
  # number formats under a Russian locale in the value text tests
  locales-all
  # the Debian package, the icons and the README's screenshot
  dpkg-dev librsvg2-bin xdotool
  # the package's checks: lintian, desktop entry, AppStream metadata, manual pages, completion
  lintian desktop-file-utils appstream man-db bash-completion
  # fuzzing and sanitizers
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
