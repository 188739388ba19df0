#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that only the benchmarks need: the general tools they measure
# the program against (vips, tiffinfo and tiffcrop) and /usr/bin/time, which reports the peak
# memory of a process. `make bench` runs it; the build and the tests do not need them.
set -euo pipefail

packages=(libvips-tools libtiff-tools time)

"$(dirname "$0")/install-missing.sh" "${packages[@]}"
