#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the Wine prefix the Windows tests and screenshots run in, once, and prints its folder
# (under ${XDG_CACHE_HOME:-~/.cache}/vantrel/win64, keyed by this script and Wine's version).
# Wine brings no Latin user-interface font of its own: Windows' "Segoe UI" (the program's font)
# and the dialog fonts are given DejaVu Sans, registered in the prefix. A real Windows has
# Segoe UI, so the program ships no font.
set -euo pipefail

top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-missing.sh" wine64 fonts-dejavu-core >&2
wine=/usr/lib/wine/wine64
cache="${XDG_CACHE_HOME:-$HOME/.cache}/vantrel/win64"
key="$( { cat "$0"; dpkg-query -W -f='${Version}' wine64; } | sha256sum | cut -c1-12)"
prefix="$cache/wine-$key"

if [ ! -f "$prefix/complete" ]; then
  mkdir -p "$cache"
  exec 9>"$cache/wine.lock"
  flock 9
  if [ ! -f "$prefix/complete" ]; then
    rm -rf "$prefix"
    mkdir -p "$prefix"
    # Made for the locale the tests run in (scripts/wine-run.sh.in): Wine rewrites the regional
    # settings whenever it changes.
    export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
           LANG=ru_RU.UTF-8 LC_MESSAGES=en_US.UTF-8
    unset LC_ALL LC_NUMERIC LC_CTYPE LANGUAGE
    echo "windows tests: making the Wine prefix $prefix" >&2
    "$wine" wineboot --init >/dev/null 2>&1 || true
    fonts="$prefix/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    registry="$prefix/fonts.reg"
    {
      printf 'Windows Registry Editor Version 5.00\r\n\r\n'
      printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\r\n'
      for face in DejaVuSans DejaVuSans-Bold DejaVuSansMono; do
        cp "/usr/share/fonts/truetype/dejavu/$face.ttf" "$fonts/"
        printf '"%s (TrueType)"="%s.ttf"\r\n' "$face" "$face"
      done
      printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
      for name in "Segoe UI" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Microsoft Sans Serif" \
                  "Arial" "Times New Roman"; do
        printf '"%s"="DejaVu Sans"\r\n' "$name"
      done
      printf '"Courier New"="DejaVu Sans Mono"\r\n'
    } >"$registry"
    "$wine" regedit /S "Z:${registry//\//\\}" >/dev/null 2>&1
    "$wine" wineboot --shutdown >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
    touch "$prefix/complete"
  fi
  exec 9>&-
fi
echo "$prefix"
