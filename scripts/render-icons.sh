#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the program's icon, resources/icons/vantrel.svg, to the PNG sizes that are installed
# and compiled into the program. Run it after changing the drawing and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
command -v rsvg-convert >/dev/null || { echo "rsvg-convert missing: scripts/install-deps.sh" >&2; exit 1; }
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" vantrel.svg -o "vantrel-$size.png"
done
