#!/usr/bin/env bash
# Exports scene files with scene views to VRML97, in both forms of the first
# scene view, and loads every result in an independent VRML97 parser.
# Needs a build (BUILD_DIR, default build/) with the command-line tools.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
check="$build/vrml97-check"
mkdir -p "$check/out"
cp "$root/tests/vrml97/package.json" "$root/tests/vrml97/check.mjs" "$check/"
(cd "$check" && npm install --no-audit --no-fund --silent >/dev/null)

files=()
for scene in "$root"/tests/vrml97/*.iv "$root"/tests/fuzz/corpus/*.iv; do
  name="$(basename "$scene" .iv)"
  "$build/apps/brennicqt-export" "$scene" "$check/out/$name.wrl" 2>/dev/null
  "$build/apps/brennicqt-export" --navigable "$scene" "$check/out/$name-navigable.wrl" 2>/dev/null
  files+=("$check/out/$name.wrl" "$check/out/$name-navigable.wrl")
done
(cd "$check" && node check.mjs "${files[@]}")
