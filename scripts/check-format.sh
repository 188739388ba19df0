#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when a C++ file of the repository is off its .clang-format (Debian's clang-format).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "Every C++ file follows .clang-format ($(clang-format --version | head -1))."
