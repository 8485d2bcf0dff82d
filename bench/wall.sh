#!/usr/bin/env bash
# The wall benchmark: a gathered wall render of 4 ranks at 3840x2160 against
# the single-process render of the same picture, whole commands timed in the
# same run, and the time rank 0 spends gathering the tiles and writing the
# picture. The machine has 2 cores, so the 4 ranks are oversubscribed: read
# the ratio with that in mind. Run from the build directory under a display:
#   xvfb-run -a -s "-screen 0 1280x1024x24" ../bench/wall.sh [RUNS]
set -euo pipefail
runs="${1:-5}"
root="$(cd "$(dirname "$0")/.." && pwd)"
poview="$PWD/apps/poview"
scene="$root/examples/four_quadrants.iv"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

# Milliseconds the command takes; its stderr is kept in $out/err.
milliseconds() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>"$out/err" || { cat "$out/err" >&2; exit 1; }
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

single=0 wall=0
for ((i = 0; i < runs; ++i)); do
  single=$((single + $(milliseconds "$poview" render "$scene" --size 3840x2160 -o "$out/one.png")))
  wall=$((wall + $(milliseconds env POVIEW_WALL_TIMINGS=1 mpirun --allow-run-as-root \
    --oversubscribe -n 4 "$poview" wall "$scene" --grid 2x2 --size 3840x2160 -o "$out/wall.png")))
  grep "timings" "$out/err"
done
echo "single-process render: $((single / runs)) ms a run"
echo "4-rank wall, gathered: $((wall / runs)) ms a run"
echo "ratio wall / single:   $((100 * wall / single)) %"
