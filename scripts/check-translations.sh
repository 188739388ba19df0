#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when a text of the window has no English form: lupdate brings a copy of
# resources/translations/vantrel_en.ts up to date with the sources of ui/, and any text left
# unfinished (new, or changed since it was translated), without a translation, or no longer in
# the sources (a stale entry: its text changed or went) is a failure. `cmake --build build
# --target update_translations` updates the file itself.
#   scripts/check-translations.sh [LUPDATE]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
lupdate="${1:-/usr/lib/qt6/bin/lupdate}"
ts="$top/resources/translations/vantrel_en.ts"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/vantrel_en.ts"
(cd "$top" && "$lupdate" -silent -I . -locations none -source-language ru -target-language en \
  -extensions cpp,h ui -ts "$work/vantrel_en.ts")
unfinished=$(grep -c 'type="unfinished"' "$work/vantrel_en.ts" || true)
empty=$(grep -c '<translation></translation>' "$work/vantrel_en.ts" || true)
stale=$(grep -Ec 'type="(vanished|obsolete)"' "$work/vantrel_en.ts" || true)
if [ "$unfinished" -ne 0 ] || [ "$empty" -ne 0 ] || [ "$stale" -ne 0 ]; then
  echo "vantrel_en.ts: $unfinished unfinished, $empty empty, $stale stale translations:" >&2
  grep -B2 -E 'type="(unfinished|vanished|obsolete)"|<translation></translation>' \
    "$work/vantrel_en.ts" | grep '<source>' >&2 || true
  echo "Run: cmake --build build --target update_translations, then translate them." >&2
  exit 1
fi
echo "vantrel_en.ts: every text of the window has its English form"
