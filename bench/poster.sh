#!/usr/bin/env bash
# The poster benchmark: examples/four_quadrants.iv as a streamed PNG of
# SIDE x SIDE pixels (40000 unless given), with its time, peak resident
# memory and file size; then, at the largest size the in-memory path can
# render (32767 a side, written as BMP), the in-memory path's peak against
# the streamed PNG's, measured the same way in the same run. Run from the
# build directory under a display, with about 8 GB of free disk and memory:
#   LP_NUM_THREADS=0 xvfb-run -a -s "-screen 0 1280x1024x24" ../bench/poster.sh [SIDE]
set -euo pipefail
side="${1:-40000}"
root="$(cd "$(dirname "$0")/.." && pwd)"
poview="$PWD/apps/poview"
scene="$root/examples/four_quadrants.iv"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

# "SECONDS PEAK_MB" of one render; GNU time gives the peak in kilobytes.
measure() {
  /usr/bin/time -f "%e %M" -o "$out/time" "$poview" render "$scene" --line-scale auto "$@" \
    >/dev/null 2>"$out/err" || { cat "$out/err" >&2; exit 1; }
  read -r seconds kilobytes <"$out/time"
  echo "$seconds $((kilobytes / 1024))"
}

report() { # NAME FILE SECONDS PEAK_MB
  printf '%-34s %8s s %6s MB peak %8s MB file\n' "$1" "$3" "$4" \
    "$(($(stat -c %s "$2") / 1048576))"
}

read -r seconds peak < <(measure --size "${side}x${side}" -o "$out/poster.png")
report "streamed PNG ${side}x${side}" "$out/poster.png" "$seconds" "$peak"
rm -f "$out/poster.png"
read -r seconds peak < <(measure --size 32767x32767 -o "$out/largest.png")
report "streamed PNG 32767x32767" "$out/largest.png" "$seconds" "$peak"
rm -f "$out/largest.png"
read -r seconds peak < <(measure --size 32767x32767 -o "$out/largest.bmp")
report "in memory, BMP 32767x32767" "$out/largest.bmp" "$seconds" "$peak"
