#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the main job.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
"$root/build/apps/brennicqt-info"
