#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The bash completion of vantrel-tiff, loaded as bash-completion loads it, on command lines
# typed in a folder with TIFF files, another file and a subfolder.
# Usage: completion.sh COMPLETION_FILE
set -uo pipefail
completion=$(realpath "$1")
# shellcheck source=/dev/null
source /usr/share/bash-completion/bash_completion
# shellcheck source=/dev/null
source "$completion"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
touch a.tif B.TIFF notes.txt
mkdir sub
failures=0

# expect LINE WORDS: the completions of LINE, the cursor at its end, sorted and joined.
expect() {
  local line=$1 wanted=$2
  local -a COMP_WORDS
  read -ra COMP_WORDS <<<"$line"
  [[ $line == *' ' ]] && COMP_WORDS+=("")
  local COMP_LINE=$line COMP_POINT=${#line} COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _vantrel_tiff vantrel-tiff "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | xargs)
  if [ "$got" != "$wanted" ]; then
    printf 'FAIL: "%s"\n  expected: %s\n  got:      %s\n' "$line" "$wanted" "$got"
    failures=$((failures + 1))
  fi
}

expect "vantrel-tiff " "--help --version batch crop info place render sample words"
expect "vantrel-tiff r" "render"
expect "vantrel-tiff crop --" "--frame --minimal --place --transform --whole"
expect "vantrel-tiff place --" "--all --size"
expect "vantrel-tiff batch --o" "--out --overwrite"
expect "vantrel-tiff batch --a" "--all"
expect "vantrel-tiff batch --out " "sub"
expect "vantrel-tiff batch --place " ""
expect "vantrel-tiff crop a.tif --transform " "180 90ccw 90cw flip invert"
expect "vantrel-tiff crop a.tif --frame " ""
expect "vantrel-tiff render a.tif --g" "--gamma"
expect "vantrel-tiff info " "B.TIFF a.tif sub"
expect "vantrel-tiff crop a.tif --minimal " "B.TIFF a.tif sub"
expect "vantrel-tiff nothing " ""

[ "$failures" = 0 ] || exit 1
echo "completion: all lines completed as expected"
