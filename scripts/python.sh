#!/usr/bin/env bash
# Runs a Python program with Debian's python3 (the one with pivy) and the
# brennicqt module of the build tree, e.g. after scripts/main.sh:
#   scripts/python.sh examples/python/render_views.py examples/four_quadrants.iv out.png
# Without a display the program runs under a virtual X server of its own.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
if [ ! -f "$build/python/brennicqt.py" ]; then
  echo "python.sh: no brennicqt module in $build/python; run scripts/main.sh first" >&2
  exit 1
fi
export PYTHONPATH="$build/python${PYTHONPATH:+:$PYTHONPATH}"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 "$@"
fi
exec /usr/bin/python3 "$@"
