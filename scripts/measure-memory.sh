#!/usr/bin/env bash
# Measures the peak resident memory of vantrel-tiff's load, render, transform and save paths
# on a generated 9000 x 6000 RGB 16-bit scan (324 MB of samples), with /usr/bin/time -v.
# Usage: scripts/measure-memory.sh [BUILD_DIR] [WORK_DIR]
set -euo pipefail

build=${1:-build}
work=${2:-$build/memory}
tool="$build/cli/vantrel-tiff"
mkdir -p "$work"
scan="$work/scan-9000x6000-rgb16.tif"
W=9000
H=6000
S=3
bytes=$((W * H * S * 2))

u16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
u32() { u16 $(($1 & 65535)); u16 $(($1 >> 16 & 65535)); }
entry() { u16 "$1"; u16 "$2"; u32 "$3"; if [ "$2" = 3 ] && [ "$3" = 1 ]; then u16 "$4"; u16 0; else u32 "$4"; fi; }

if [ ! -f "$scan" ] || [ "$(stat -c %s "$scan")" -ne $((140 + bytes)) ]; then
  # II header, one IFD of 10 entries at 8 (ends at 134), BitsPerSample's three values at 134,
  # the single strip at 140. The samples are random, so nothing compresses or repeats.
  {
    printf 'II'; u16 42; u32 8
    u16 10
    entry 256 3 1 $W
    entry 257 3 1 $H
    entry 258 3 3 134
    entry 259 3 1 1
    entry 262 3 1 2
    entry 273 4 1 140
    entry 277 3 1 $S
    entry 278 3 1 $H
    entry 279 4 1 $bytes
    entry 284 3 1 1
    u32 0
    u16 16; u16 16; u16 16
    head -c $bytes /dev/urandom
  } > "$scan"
fi

measure() {
  local label=$1
  shift
  local log="$work/time-$label.txt"
  /usr/bin/time -v "$@" 2>"$log" >/dev/null
  local kb
  kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log")
  awk -v l="$label" -v kb="$kb" -v b="$bytes" \
    'BEGIN { printf "%-20s %6d MB  %.3f x the samples\n", l, kb / 1024, kb * 1024 / b }'
}

# Warm the page cache so every path reads from memory.
cat "$scan" >/dev/null
echo "samples: $((bytes / 1024 / 1024)) MB ($W x $H x $S x 16 bit)"
measure words "$tool" words "$scan" "$work/out.words"
measure render "$tool" render "$scan" "$work/out.ppm"
measure crop-whole "$tool" crop "$scan" "$work/out-whole.tif" --whole
measure crop-6000x4000 "$tool" crop "$scan" "$work/out-frame.tif" --frame 1500,1000,6000,4000
measure crop-90cw-whole "$tool" crop "$scan" "$work/out-90.tif" --transform 90cw --whole
measure crop-90cw-frame "$tool" crop "$scan" "$work/out-90f.tif" --transform 90cw \
  --frame 1000,1500,4000,6000
# The other byte order (in strips of 512 rows), when libtiff's tiffcp is there to make them.
if command -v tiffcp >/dev/null; then
  [ -f "$work/scan-mm.tif" ] || tiffcp -B -s -r 512 "$scan" "$work/scan-mm.tif"
  measure words-mm "$tool" words "$work/scan-mm.tif" "$work/out.words"
  measure crop-6000x4000-mm "$tool" crop "$work/scan-mm.tif" "$work/out-mm.tif" \
    --frame 1500,1000,6000,4000
fi
rm -f "$work"/out*
