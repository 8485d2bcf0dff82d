#!/usr/bin/env bash
# Shows the X3D exports and web pages of the examples and test scenes in
# X_ITE in headless Chromium (both installed here: X_ITE and puppeteer-core
# from npm into the build tree, Chromium by setup.sh) and compares the
# screenshots with poview render, view by view.
# Needs a build (BUILD_DIR, default build/) with the browser tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${BUILD_DIR:-$root/build}" && pwd)"
check="$build/browser-check"
mkdir -p "$check"
cp "$root/tests/browser/package.json" "$root/tests/browser/screenshot.mjs" \
  "$root/tests/browser/viewer.html" "$check/"
(cd "$check" && npm install --no-audit --no-fund --silent >/dev/null)
# --fetch-only: only the npm packages, e.g. while other tests run.
[ "${1:-}" != "--fetch-only" ] || exit 0
BRENNICQT_BROWSER_CHECK="$check" "$build/tests/browser/poview_browser_tests"
