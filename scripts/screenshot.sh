#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes docs/screenshot.png: the real window with the sample scan loaded, on a virtual screen.
#   scripts/screenshot.sh [BUILD_FOLDER] [OUTPUT.png]
# Builds the program and the sample scan when they are missing. The program runs from a copy
# in a temporary folder with settings of its own, so the developer's settings beside
# build/vantrel are neither used nor changed, and the picture is the same on every machine.
set -euo pipefail

top="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$top/build}"
out="${2:-$top/docs/screenshot.png}"
sample="$build/sample/vantrel-sample.tif"

for tool in xvfb-run xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool missing: run scripts/install-deps.sh" >&2; exit 1; }
done
if [ ! -x "$build/vantrel" ] || [ ! -x "$build/cli/vantrel-tiff" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
  cmake --build "$build" --target vantrel vantrel-tiff -j "$(nproc)"
fi
if [ ! -f "$sample" ]; then
  mkdir -p "$(dirname "$sample")"
  "$build/cli/vantrel-tiff" sample "$sample"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$build/vantrel" "$work/vantrel"
# A roomy window, the help pane closed and a frame inside the sample's picture area.
cat >"$work/Vantrel.ini" <<'INI'
[Window]
Width=1280
Height=800
Maximized=0
FlagShowHelp=0
[UI]
Width=3000
Height=2000
LockRatio=0
INI

# Runs inside the virtual screen: start the window with the scan, wait until its title names
# the file, let the view settle, photograph the window, close it.
cat >"$work/shoot.sh" <<'SHOT'
#!/usr/bin/env bash
set -euo pipefail
work="$1" sample="$2" out="$3"
"$work/vantrel" "$sample" &
pid=$!
name="$(basename "$sample")"
window=""
for _ in $(seq 1 120); do
  for id in $(xdotool search --onlyvisible --name 'Vantrel' 2>/dev/null); do
    if xdotool getwindowname "$id" | grep -qF "$name"; then window="$id"; fi
  done
  [ -n "$window" ] && break
  sleep 0.5
done
if [ -z "$window" ]; then
  echo "the window did not show the scan within a minute" >&2
  kill "$pid" 2>/dev/null || true
  exit 1
fi
sleep 2
import -window "$window" "$out"
kill "$pid" 2>/dev/null || true
wait "$pid" || true
SHOT
chmod +x "$work/shoot.sh"

mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1400x900x24" "$work/shoot.sh" "$work" "$sample" "$out.tmp.png"
mv "$out.tmp.png" "$out"
echo "Screenshot: $out"
