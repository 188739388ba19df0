#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every libFuzzer harness of a fuzz build for a bounded time on the committed seed
# corpus. Usage: scripts/run-fuzzers.sh BUILD_DIR SECONDS [HARNESS...]
# New inputs go to BUILD_DIR/fuzz-work/<harness>/ (the committed corpus is only read); a
# crash leaves its input in BUILD_DIR/fuzz-artifacts/ and fails the run.
set -euo pipefail

build=${1:?build folder}
seconds=${2:?seconds per harness}
shift 2
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  # Every harness of the build (the corpus generator is no harness).
  for f in "$build"/fuzz/fuzz_*; do
    name=$(basename "$f")
    [ -x "$f" ] && [ "$name" != fuzz_make_corpus ] && harnesses+=("$name")
  done
fi
if [ ${#harnesses[@]} -eq 0 ]; then
  echo "no fuzz harnesses in $build/fuzz" >&2
  exit 1
fi

root=$(cd "$(dirname "$0")/.." && pwd)
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"

# A harness that hangs on one input is stopped by libFuzzer's -timeout; the outer timeout
# only guards against the fuzzer itself not stopping.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

# A fixed seed (FUZZ_SEED) makes a bounded run repeatable from one machine to the next.
seed_arg=()
if [ -n "${FUZZ_SEED:-}" ]; then
  seed_arg=(-seed="$FUZZ_SEED")
fi

status=0
for h in "${harnesses[@]}"; do
  work="$build/fuzz-work/$h"
  mkdir -p "$work"
  echo "== $h: ${seconds}s"
  if ! timeout --kill-after=30 $((seconds + 120)) "$build/fuzz/$h" "${seed_arg[@]}" \
        -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 -malloc_limit_mb=2600 \
        -max_len=65536 -print_final_stats=1 -dict="$root/fuzz/tiff.dict" \
        -artifact_prefix="$artifacts/$h-" \
        "$work" "$root/fuzz/corpus/$h"; then
    echo "== $h FAILED (inputs in $artifacts)" >&2
    status=1
  fi
done
exit $status
