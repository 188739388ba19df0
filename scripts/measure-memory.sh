#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures the peak resident memory of vantrel-tiff's load, render, transform and save paths
# on a generated 9000 x 6000 RGB 16-bit scan (324 MB of samples), with /usr/bin/time -v; then
# the same for the window (bench/window_memory, offscreen), each phase in a process of its own.
# Needs the targets vantrel-tiff and window_memory (`make bench` builds both, or
# `cmake --build BUILD_DIR --target vantrel-tiff window_memory`).
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

# --- The window -------------------------------------------------------------------------------
# Goals, each with 10 % to spare: a load peaks at its words and view; a 90° turn at the old and
# new words and the new view; a render again at the words and the view; a save at the load's
# peak and one row buffer (the rows are streamed). The saves also report their peak up to the
# start of the reload of the saved file (the load and the save alone), and the whole peak
# against the reload's own goal as a load over a shown image. The second ratio subtracts the idle window's peak, Qt's own share, from the peaks; the verdict uses it.
driver="$build/bench/window_memory"
if [ ! -x "$driver" ]; then
  echo "window: $driver is missing; build it with cmake --build $build --target window_memory"
  exit 1
fi
row=$((W * S * 2))
declare -A peak line
status=0
window() {
  local phase=$1
  local log="$work/time-window-$phase.txt"
  if ! line[$phase]=$(/usr/bin/time -v "$driver" "$phase" "$scan" 2>"$log"); then
    echo "window $phase failed:" >&2
    grep -v '^\s' "$log" | grep -v 'Command exited' >&2 || true
    status=1
    return 1
  fi
  peak[$phase]=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log")
}
field() { sed -n "s/.* $2=\([0-9]*\).*/\1/p" <<<"${line[$1]}"; }
# Prints: label, peak MB, goal MB, peak / goal, (peak - idle) / (goal - base × idle), verdict;
# base is 1 when the goal holds the idle share already (a peak measured here), else 0.
report() {
  awk -v l="$1" -v kb="$2" -v goal="$3" -v idle="$4" -v base="$5" 'BEGIN {
    p = kb * 1024; i = idle * 1024; r = p / goal; n = (p - i) / (goal - base * i)
    printf "%-30s %8.0f %8.0f %8.3f %10.3f  %s\n", l, p / 1e6, goal / 1e6, r, n,
      n <= 1.10 ? "within" : "over"
  }'
}

echo
echo "window (offscreen), MB = 10^6 bytes; every peak includes the idle window's"
for phase in idle load turn render save-whole save-frame; do
  window "$phase" || true
done
if [ -n "${peak[idle]:-}" ]; then
  idle=${peak[idle]}
  printf "%-30s %8.0f\n" "idle (Qt baseline)" "$(awk -v k="$idle" 'BEGIN { print k * 1024 / 1e6 }')"
  printf "%-30s %8s %8s %8s %10s  %s\n" phase "peak MB" "goal MB" peak/goal "-idle ratio" \
    "(goal: 1.10)"
  if [ -n "${peak[load]:-}" ]; then
    report load "${peak[load]}" $(($(field load words_after) + $(field load view_after))) "$idle" 0
  fi
  if [ -n "${peak[turn]:-}" ]; then
    report turn-90cw "${peak[turn]}" \
      $(($(field turn words_before) + $(field turn words_after) + $(field turn view_after))) \
      "$idle" 0
  fi
  if [ -n "${peak[render]:-}" ]; then
    report render "${peak[render]}" \
      $(($(field render words_after) + $(field render view_after))) "$idle" 0
  fi
  # A save's goal holds the load's peak, and with it the idle share once.
  for phase in save-whole save-frame; do
    if [ -n "${peak[$phase]:-}" ] && [ -n "${peak[load]:-}" ]; then
      goal=$((peak[load] * 1024 + row))
      report "$phase (before reload)" "$(field "$phase" before_reload_peak_rss_kb)" "$goal" "$idle" 1
      report "$phase (with reload)" "${peak[$phase]}" "$goal" "$idle" 1
      # The reload is a load over the image still shown (kept should the load fail): its goal
      # is both images' words and the new view, or the first load's when that is larger.
      first=$(($(field "$phase" words_before) + $(field "$phase" view_before)))
      reload=$(($(field "$phase" words_before) + $(field "$phase" words_after) + \
        $(field "$phase" view_after)))
      report "$phase (reload as a load)" "${peak[$phase]}" $((first > reload ? first : reload)) \
        "$idle" 0
    fi
  done
fi
exit $status
