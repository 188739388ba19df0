#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows build, cross-compiled here: the toolchain and the tests' Wine prefix made when
# missing, then build-windows configured and the target built.
#   scripts/windows-build.sh BUILD_FOLDER TARGET [LINUX_VANTREL_TIFF]
# TARGET is windows-package (the zip and the installer) or all (the programs and the tests).
# LINUX_VANTREL_TIFF is the Linux build's vantrel-tiff the Windows one is compared with.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$1" target="$2" linux_cli="${3:-}"
"$top/scripts/install-missing.sh" nsis zip librsvg2-bin libtiff-tools perl qt6-l10n-tools >&2
toolchain="$("$top/scripts/windows-toolchain.sh")"
wine_prefix="$("$top/scripts/windows-wine-prefix.sh")"
args=()
[ -n "$linux_cli" ] && args+=("-DVANTREL_LINUX_CLI=$linux_cli")
cmake -S "$top" -B "$build" -G Ninja -C "$toolchain" \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/MinGWToolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DVANTREL_BUILD_BENCH=OFF -DVANTREL_WINE_PREFIX="$wine_prefix" "${args[@]}"
cmake --build "$build" --target "$target" -j "$(nproc)"
