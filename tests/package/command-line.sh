#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# --version and --help of both programs, without a display: they answer before the window's
# toolkit starts, whose start would fail here.
# Usage: command-line.sh VANTREL VANTREL_TIFF VERSION_TEXT
set -uo pipefail
vantrel=$1 vantrel_tiff=$2 version=$3
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
failures=0

# expect STATUS STDOUT COMMAND...: the exit status and the whole standard output.
expect() {
  local status=$1 output=$2 got
  shift 2
  got=$("$@" 2>&1)
  local rc=$?
  if [ "$rc" != "$status" ] || [ "$got" != "$output" ]; then
    printf 'FAIL: %s\n  expected status %s, output:\n%s\n  got status %s, output:\n%s\n' \
      "$*" "$status" "$output" "$rc" "$got"
    failures=$((failures + 1))
  fi
}

expect 0 "Vantrel v.$version" "$vantrel" --version
expect 0 "Vantrel v.$version" "$vantrel" scan.tif --version
expect 0 "vantrel-tiff v.$version" "$vantrel_tiff" --version
usage=$("$vantrel" --help)
expect 0 "$usage" "$vantrel" -h
case $usage in
  "Usage: vantrel [FILE]..."*) ;;
  *) echo "FAIL: vantrel --help: $usage"; failures=$((failures + 1)) ;;
esac
# An answer that cannot be written is a failure.
expect 1 "" bash -c '"$0" --version >/dev/full' "$vantrel"

[ "$failures" = 0 ] || exit 1
echo "command lines: all answered"
