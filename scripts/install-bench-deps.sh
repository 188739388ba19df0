#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that only the benchmarks need: the general tools they measure
# the program against (vips, tiffinfo and tiffcrop) and /usr/bin/time, which reports the peak
# memory of a process. `make bench` runs it; the build and the tests do not need them.
set -euo pipefail

packages=(libvips-tools libtiff-tools time)

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
