#!/usr/bin/env bash
# Builds the scene-file fuzzer with clang and runs it. The first argument is
# the run time in seconds (default 3600); findings land in build-fuzz/findings.
# The inputs it grows are kept in build-fuzz/corpus, so a later run goes on
# from them (and a leak reported only at exit can be traced to one of them).
# "--ci" instead makes the same run every time: a fixed seed and number of
# inputs, from the repository's seed files alone, so that a test run fails
# for what changed and not for what a random walk happened to meet.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-3600}"
ci_runs=20000
# FUZZ_BUILD_DIR names a clang tree that has the fuzzer already (the test
# command's sanitizer tree); otherwise one of its own is built.
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
if [ -z "${FUZZ_BUILD_DIR:-}" ]; then
  CC=clang CXX=clang++ BUILD_DIR="$build" "$root/scripts/build.sh" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENNICQT_SANITIZE=address,undefined,fuzzer-no-link \
    -DBRENNICQT_BUILD_FUZZ=ON -DBRENNICQT_BUILD_TESTS=OFF -DBRENNICQT_BUILD_BENCH=OFF \
    -DBRENNICQT_BUILD_APPS=OFF
fi
mkdir -p "$build/findings"
# A fuzzing process grows by some megabytes a second (Coin never frees what
# its kit reader keeps of unknown fields), so long runs go in rounds of ten
# minutes, each a fresh process that goes on from the corpus the last left.
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$root/tests/sanitizers/ubsan.supp"
if [ "$seconds" = "--ci" ]; then
  corpus="$(mktemp -d)"
  trap 'rm -rf "$corpus"' EXIT
  cp "$root"/tests/fuzz/corpus/* "$corpus"/
  "$build/tests/fuzz/scene_fuzzer" -seed=1 -runs="$ci_runs" -rss_limit_mb=4096 \
    -artifact_prefix="$build/findings/" -print_final_stats=1 "$corpus"
  exit 0
fi
corpus="$build/corpus"
mkdir -p "$corpus"
cp "$root"/tests/fuzz/corpus/* "$corpus"/
left="$seconds"
while [ "$left" -gt 0 ]; do
  round=$(( left < 600 ? left : 600 ))
  "$build/tests/fuzz/scene_fuzzer" -max_total_time="$round" -rss_limit_mb=4096 \
    -artifact_prefix="$build/findings/" -print_final_stats=1 "$corpus"
  left=$(( left - round ))
done
