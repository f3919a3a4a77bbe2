#!/usr/bin/env bash
# Redraws docs/launcher.png: the launcher's first frame as the headless
# host paints it. Needs the host build (tools/test.sh or tools/run.sh made it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
exe="$root/build/host/OrvaneCD"
[ -x "$exe" ] || { echo "screenshot: build the host first (cmake --preset host && cmake --build --preset host)" >&2; exit 1; }

ppm="$(mktemp --suffix=.ppm)"
trap 'rm -f "$ppm"' EXIT
ORVANE_PRESENTER=headless ORVANE_HEADLESS_SCRIPT="snapshot $ppm; key ESCAPE" "$exe" || true
mkdir -p "$root/docs"
convert "$ppm" "$root/docs/launcher.png"
echo "screenshot: wrote docs/launcher.png"
