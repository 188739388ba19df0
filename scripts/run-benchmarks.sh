#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every benchmark program of a build folder; each prints its baseline beside its cases.
set -euo pipefail
build=${1:-build}
status=0
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true || status=1
done
exit $status
