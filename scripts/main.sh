#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the main job: renders a
# scene file of views (by default the four-quadrant example) to a PNG picture,
# converts it to VRML97, X3D and a web page, lists its views and prints where
# the files are.
#   scripts/main.sh [SCENE.iv]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
scene="${1:-$root/examples/four_quadrants.iv}"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

poview="$root/build/apps/poview"
out="$root/build/main-job"
name="$(basename "${scene%.*}")"
mkdir -p "$out"

echo "== views in $scene"
"$poview" info "$scene"
# poview starts a virtual X server by itself when there is no display.
"$poview" render "$scene" -o "$out/$name.png" --size 800x600
"$poview" export "$scene" -o "$out/$name.wrl"
"$poview" export "$scene" -o "$out/$name.x3dv"
"$poview" export "$scene" -o "$out/$name.html"

echo "== results"
echo "picture: $out/$name.png"
echo "VRML97:  $out/$name.wrl"
echo "X3D:     $out/$name.x3dv"
echo "web page (loads X_ITE from the network): $out/$name.html"
