#!/usr/bin/env bash
# Exports scene files with scene views to VRML97, in both forms of the first
# scene view, and loads every result in an independent VRML97 parser.
# Needs a build (BUILD_DIR, default build/) with the poview tool.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${BUILD_DIR:-$root/build}" && pwd)"
check="$build/vrml97-check"
mkdir -p "$check/out"
cp "$root/tests/vrml97/package.json" "$root/tests/vrml97/check.mjs" "$check/"
(cd "$check" && npm install --no-audit --no-fund --silent >/dev/null)
# --fetch-only: only the npm packages, e.g. while other tests run.
[ "${1:-}" != "--fetch-only" ] || exit 0

files=()
for scene in "$root"/tests/vrml97/*.iv "$root"/examples/*.iv; do
  name="$(basename "$scene" .iv)"
  "$build/apps/poview" export "$scene" -o "$check/out/$name.wrl" 2>/dev/null
  "$build/apps/poview" export --navigable "$scene" -o "$check/out/$name-navigable.wrl" 2>/dev/null
  files+=("$check/out/$name.wrl" "$check/out/$name-navigable.wrl")
done
(cd "$check" && node check.mjs "${files[@]}")
