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

echo "== exported VRML97 files in an independent parser"
BUILD_DIR="$build" "$root/scripts/check_vrml97.sh"

echo "== exported X3D files and web pages in X_ITE in headless Chromium, against poview render"
BUILD_DIR="$build" "$root/scripts/check_browser.sh"

echo "== the suite again with AddressSanitizer and UndefinedBehaviorSanitizer"
BUILD_DIR="$root/build-asan" "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=Debug \
  -DBRENNICQT_SANITIZE=address,undefined -DBRENNICQT_BUILD_BENCH=OFF
(cd "$root/build-asan" &&
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
  LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$root/tests/sanitizers/ubsan.supp" \
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure)

echo "== concurrency tests with ThreadSanitizer"
BUILD_DIR="$root/build-tsan" "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRENNICQT_SANITIZE=thread -DBRENNICQT_BUILD_BENCH=OFF -DBRENNICQT_BUILD_APPS=OFF
(cd "$root/build-tsan" &&
  TSAN_OPTIONS="suppressions=$root/tests/sanitizers/tsan.supp:halt_on_error=1" \
  xvfb-run -a -s "-screen 0 1280x1024x24" ./tests/brennicqt_tests \
    --gtest_filter='ConcurrentConstruction.*')

echo "== scene-file fuzzer, a fixed run of 20,000 inputs"
"$root/scripts/fuzz.sh" --ci 2>&1 | tail -n 12

echo "== installed package"
prefix="$(mktemp -d)"
consumer="$(mktemp -d)"
trap 'rm -rf "$prefix" "$consumer"' EXIT
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
