#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# vantrel-tiff.exe under Wine gives the bytes the Linux build gives: the same commands (info,
# words, crop, place, batch, and their refusals) on the same files, with the same arguments,
# give the same standard output, standard error, exit status and written files. The one
# difference allowed is the time of day in a crop's ProcessingSoftware entry.
#   cli-bytes.sh LINUX_VANTREL_TIFF WINDOWS_VANTREL_TIFF_EXE WINE_RUN
set -euo pipefail
linux="$1" windows="$2" wine="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

# The try-out scan, its big-endian and planar forms, a name outside ASCII, and two refusals.
"$linux" sample scan.tif 900x600 >/dev/null
tiffcp -B scan.tif mm.tif
convert scan.tif -interlace Plane -compress none -depth 16 planar.tif
cp scan.tif "плёнка №1.tif"
printf 'hello, world\n' >text.tif
: >empty.tif

failures=0
# Runs one command with both programs, each in a fresh folder of its own, and compares.
same() {
  local name="$1"
  shift
  for side in linux windows; do
    rm -rf "$side"
    mkdir "$side"
    cp scan.tif mm.tif planar.tif "плёнка №1.tif" text.tif empty.tif "$side/"
    set +e
    if [ "$side" = linux ]; then
      (cd "$side" && "$linux" "$@" >../"$side.out" 2>../"$side.err")
    else
      (cd "$side" && "$wine" "$windows" "$@" >../"$side.out" 2>../"$side.err")
    fi
    echo $? >"$side.status"
    set -e
    # The crop's ProcessingSoftware ends in the local time with milliseconds.
    find "$side" -type f -name '*.tif' -print0 |
      xargs -0 -r perl -0777 -pi -e \
        's/ at \d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}/ at YYYY-MM-DD hh:mm:ss.mmm/g'
  done
  local differs=""
  for part in out err status; do
    cmp -s "linux.$part" "windows.$part" || differs+=" $part"
  done
  diff -r linux windows >/dev/null || differs+=" files"
  if [ -n "$differs" ]; then
    echo "DIFFERS ($differs ): $name: $*"
    for part in out err status; do
      cmp -s "linux.$part" "windows.$part" ||
        { echo "--- linux.$part"; head -c 600 "linux.$part" | od -c | head -n 12
          echo "--- windows.$part"; head -c 600 "windows.$part" | od -c | head -n 12; }
    done
    diff -r linux windows | head -n 5 || true
    failures=$((failures + 1))
  else
    echo "same: $name ($(cat linux.status), $(wc -c <linux.out) + $(wc -c <linux.err) bytes)"
  fi
}

same "info" info scan.tif
same "info, big-endian" info mm.tif
same "info, planar" info planar.tif
same "info, Cyrillic name" info "плёнка №1.tif"
same "info, not TIFF" info text.tif
same "info, missing" info missing.tif
same "words" words planar.tif words.raw
same "crop, frame" crop scan.tif out.tif --frame 40,30,500,400
same "crop, turned, minimal" crop mm.tif out.tif --transform 90cw --minimal
same "crop, mirrored, inverted" crop planar.tif "кадр.tif" --transform flip --transform invert
same "crop onto its source" crop scan.tif scan.tif --frame 0,0,300,200
same "crop, frame outside" crop scan.tif out.tif --frame 5000,5000,10,10
same "place" place scan.tif mm.tif planar.tif
same "place, sized" place --size 600,400 scan.tif
# An output folder given without its last separator gets the system's own ("\" on Windows):
# both are given one.
same "batch" batch --out out/ --place 600,400 scan.tif mm.tif "плёнка №1.tif" text.tif
same "batch, own folder" batch --out ./ --prefix c_ --postfix _t scan.tif mm.tif
same "usage" crop scan.tif
same "version" --version

if [ "$failures" -ne 0 ]; then
  echo "$failures commands differ"
  exit 1
fi
