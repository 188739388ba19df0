#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the program's icon, resources/icons/vantrel.svg, to the PNG sizes that are installed
# and compiled into the program, and packs them into vantrel.ico for the Windows executable.
# Run it after changing the drawing and commit the PNGs and the .ico.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for tool in rsvg-convert convert; do
  command -v "$tool" >/dev/null || { echo "$tool missing: scripts/install-deps.sh" >&2; exit 1; }
done
sizes=(16 24 32 48 64 128 256)
for size in "${sizes[@]}"; do
  rsvg-convert -w "$size" -h "$size" vantrel.svg -o "vantrel-$size.png"
done
pngs=()
for size in "${sizes[@]}"; do pngs+=("vantrel-$size.png"); done
convert "${pngs[@]}" vantrel.ico
