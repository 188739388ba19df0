#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the Debian package of a build folder as a distribution would: lintian, the desktop
# entry, the AppStream metadata and the manual pages, each without an error or a warning; the
# versions of the package, its changelog and its metadata agree; and `cmake --install`
# installs the same files as the package.
# Usage: scripts/check-package.sh [BUILD]   (after `cmake --build BUILD --target package`)
set -euo pipefail
build=$(realpath "${1:-build}")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$(echo "$build/vantrel_${version}_"*.deb)
[ -f "$deb" ] || {
  echo "no package vantrel_${version} in $build: build the target package first" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Runs a checker; any output counts as a finding, and so does a failed run.
quiet_check() {
  local name=$1 output
  shift
  if ! output=$("$@" 2>&1) || [ -n "$output" ]; then
    fail "$name"
    printf '%s\n' "$output"
  fi
}

echo "== $(basename "$deb")"
# lintian prints errors and warnings only (and a note when run as root, which is no finding).
lintian_output=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian"
grep -v '^running with root privileges is not recommended!$' <<<"$lintian_output" || true

dpkg-deb -x "$deb" "$work/package"
share=$work/package/usr/share
for desktop in "$share"/applications/*.desktop; do
  quiet_check "desktop-file-validate $(basename "$desktop")" desktop-file-validate "$desktop"
done
# Each metadata file as `appstreamcli validate` checks it, and its desktop entry beside it.
appstreamcli validate-tree --no-net "$work/package" || fail "appstreamcli validate-tree"
for page in "$share"/man/man1/*.1.gz; do
  if ! warnings=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null) ||
    [ -n "$warnings" ]; then
    fail "man --warnings $(basename "$page")"
    printf '%s\n' "$warnings"
  fi
done

# The changelog's newest entry and the metadata's newest release are this version.
changelog_version=$(zcat "$share/doc/vantrel/changelog.gz" | dpkg-parsechangelog -l - -S Version)
[ "$changelog_version" = "$version" ] ||
  fail "the changelog's newest entry is $changelog_version, the package is $version"
release_version=$(grep -m1 -o '<release version="[^"]*"' "$share"/metainfo/*.xml | cut -d'"' -f2)
[ "$release_version" = "$version" ] ||
  fail "the metadata's newest release is $release_version, the package is $version"

# The same files from `cmake --install` as from the package.
DESTDIR="$work/installed" cmake --install "$build" --prefix /usr >/dev/null
files_of() { (cd "$1" && find . ! -type d | sort); }
if ! difference=$(diff <(files_of "$work/package") <(files_of "$work/installed")); then
  fail "the package (<) and cmake --install (>) install different files"
  printf '%s\n' "$difference"
fi

if [ "$failures" -ne 0 ]; then
  echo "package check: $failures failed"
  exit 1
fi
echo "package check: lintian, desktop entry, AppStream metadata, manual pages, versions and" \
  "installed files all clean"
