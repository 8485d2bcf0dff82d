#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the whole test suite: the
# unit and rendering tests under a virtual X server, and an out-of-tree program
# built against the installed library with find_package(BrennicQt).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

echo "== unit, rendering and load tests"
(cd "$build" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure)

echo "== installed package"
prefix="$(mktemp -d)"
consumer="$(mktemp -d)"
trap 'rm -rf "$prefix" "$consumer"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
cmake -S "$root/tests/consumer" -B "$consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$consumer" >/dev/null
LD_LIBRARY_PATH="$prefix/lib:${LD_LIBRARY_PATH:-}" "$consumer/consumer"
