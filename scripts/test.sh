#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the whole test suite: the
# unit, rendering, tool and Python tests under a virtual X server, the exports
# in an independent VRML97 parser and in X_ITE in Chromium, the suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer, the concurrency tests
# under ThreadSanitizer, a fixed fuzzing run, and programs built against the
# installed library.
#
# Run right after scripts/main.sh, it rebuilds nothing of build/. The
# sanitizer suite and the fuzzer share one clang tree (build-sanitize, at -O1
# as fuzzers are usually built: about three times faster than -O0, with
# assertions kept), the ThreadSanitizer tree builds only the library and the
# concurrency tests, and both compile the library in batches. The fuzzing run
# goes on beside the sanitized suite. Each stage says how long it took.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
sanitize="$root/build-sanitize"
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24")
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$root/tests/sanitizers/ubsan.supp"

started=$(date +%s)
stage_started=$started
stage_name=""
stage() {
  local now
  now=$(date +%s)
  [ -z "$stage_name" ] || echo "   ($stage_name: $((now - stage_started)) s)"
  stage_name="$1"
  stage_started=$now
  [ -z "$1" ] || echo "== $1"
}

"$root/scripts/setup.sh"
"$root/scripts/build.sh"

# The npm packages of the two export checks come over the network; they are
# fetched while the first suites run.
fetch_log="$(mktemp)"
fuzz_log="$(mktemp)"
prefix="$(mktemp -d)"
consumer="$(mktemp -d)"
fuzz=""
# A failing stage leaves no fuzzer running behind it.
trap '[ -z "$fuzz" ] || kill "$fuzz" 2>/dev/null || true
      rm -rf "$prefix" "$consumer" "$fetch_log" "$fuzz_log"' EXIT
BUILD_DIR="$build" "$root/scripts/check_vrml97.sh" --fetch-only >"$fetch_log" 2>&1 &
fetch_vrml97=$!
BUILD_DIR="$build" "$root/scripts/check_browser.sh" --fetch-only >>"$fetch_log" 2>&1 &
fetch_browser=$!

stage "unit, rendering, tool and Python tests"
(cd "$build" && "${xvfb[@]}" ctest --output-on-failure -j2)

stage "exported VRML97 files in an independent parser"
wait "$fetch_vrml97" || { cat "$fetch_log"; exit 1; }
BUILD_DIR="$build" "$root/scripts/check_vrml97.sh"

stage "exported X3D files and web pages in X_ITE in headless Chromium, against poview render"
wait "$fetch_browser" || { cat "$fetch_log"; exit 1; }
BUILD_DIR="$build" "$root/scripts/check_browser.sh"

stage "the suite again with AddressSanitizer and UndefinedBehaviorSanitizer (clang)"
CC=clang CXX=clang++ BUILD_DIR="$sanitize" "$root/scripts/build.sh" \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCMAKE_C_FLAGS_DEBUG="-g -O1" \
  -DBRENNICQT_SANITIZE=address,undefined,fuzzer-no-link \
  -DBRENNICQT_BUILD_FUZZ=ON -DBRENNICQT_BUILD_BENCH=OFF -DBRENNICQT_UNITY_LIBRARY=ON
# The fixed fuzzing run takes one core for a few minutes; it goes on beside
# the sanitized suite, whose tool tests spend much of their time waiting on
# the programs they start, and the ThreadSanitizer stage.
FUZZ_BUILD_DIR="$sanitize" "$root/scripts/fuzz.sh" --ci >"$fuzz_log" 2>&1 &
fuzz=$!
(cd "$sanitize" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
  "${xvfb[@]}" ctest --output-on-failure -j2)

stage "concurrency tests with ThreadSanitizer"
BUILD_DIR="$root/build-tsan" "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRENNICQT_SANITIZE=thread -DBRENNICQT_BUILD_BENCH=OFF -DBRENNICQT_BUILD_APPS=OFF \
  -DBRENNICQT_UNITY_LIBRARY=ON \
  -DBRENNICQT_BUILD_PYTHON=OFF
(cd "$root/build-tsan" &&
  TSAN_OPTIONS="suppressions=$root/tests/sanitizers/tsan.supp:halt_on_error=1" \
  "${xvfb[@]}" ./tests/brennicqt_tests --gtest_filter='ConcurrentConstruction.*')

stage "scene-file fuzzer, a fixed run of 20,000 inputs (begun with the sanitized suite)"
fuzzed=0
wait "$fuzz" || fuzzed=$?
fuzz=""
tail -n "$([ "$fuzzed" = 0 ] && echo 12 || echo 60)" "$fuzz_log"
[ "$fuzzed" = 0 ]

stage "installed package"
cmake --install "$build" --prefix "$prefix" >/dev/null
# The consumer through the CMake package.
cmake -S "$root/tests/consumer" -B "$consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$consumer" >/dev/null
LD_LIBRARY_PATH="$prefix/lib:${LD_LIBRARY_PATH:-}" "$consumer/consumer"
# Through pkg-config, with exactly the README's command: the README's SoQt
# program (it includes Qt's headers), then the consumer, which runs on its
# own where the other opens a window.
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
mkdir -p "$consumer/pkg-config"
for program in examples/cpp/scene_views.cpp tests/consumer/consumer.cpp; do
  cp "$root/$program" "$consumer/pkg-config/app.cpp"
  # shellcheck disable=SC2046 # the flags are separate words
  (cd "$consumer/pkg-config" && rm -f a.out && g++ app.cpp $(pkg-config --cflags --libs BrennicQt))
done
unset PKG_CONFIG_PATH
LD_LIBRARY_PATH="$prefix/lib:${LD_LIBRARY_PATH:-}" "$consumer/pkg-config/a.out"
# The installed tool runs from the prefix alone and renders without a display.
env -u DISPLAY "$prefix/bin/poview" render "$root/examples/four_quadrants.iv" \
  -o "$prefix/four_quadrants.png" --size 320x240
echo "installed poview rendered $(stat -c %s "$prefix/four_quadrants.png") bytes of PNG"
# The installed Python module, found as Debian's Python finds modules under a
# prefix, reaches the installed library by itself.
PYTHONPATH="$(echo "$prefix"/lib/python3*/dist-packages)" xvfb-run -a -s "-screen 0 1280x1024x24" \
  /usr/bin/python3 "$root/examples/python/render_views.py" "$root/examples/four_quadrants.iv" \
  "$prefix/four_quadrants_python.png" 320x240 >/dev/null
echo "installed brennicqt rendered $(stat -c %s "$prefix/four_quadrants_python.png") bytes of PNG"
stage ""
echo "== all passed in $(($(date +%s) - started)) s"
