#!/usr/bin/env bash
# Builds the scene-file fuzzer with clang and runs it. The first argument is
# the run time in seconds (default 3600); findings land in build-fuzz/findings.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-3600}"
build="$root/build-fuzz"
CC=clang CXX=clang++ BUILD_DIR="$build" "$root/scripts/build.sh" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENNICQT_SANITIZE=address,undefined,fuzzer-no-link \
  -DBRENNICQT_BUILD_FUZZ=ON -DBRENNICQT_BUILD_TESTS=OFF -DBRENNICQT_BUILD_BENCH=OFF \
  -DBRENNICQT_BUILD_APPS=OFF
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
cp "$root"/tests/fuzz/corpus/* "$corpus"/
mkdir -p "$build/findings"
LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$root/tests/sanitizers/ubsan.supp" \
  "$build/tests/fuzz/scene_fuzzer" -max_total_time="$seconds" -rss_limit_mb=4096 \
  -artifact_prefix="$build/findings/" -print_final_stats=1 "$corpus"
