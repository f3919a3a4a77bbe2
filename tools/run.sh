#!/usr/bin/env bash
# Set-up, build, and start the launcher from the current directory's CD
# root (the folder holding Setup.exe, manual.pdf and AdbeRdr70_kor.exe).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

bash "$root/tools/setup.sh"
(cd "$root" && cmake --preset host >/dev/null && cmake --build --preset host)

exec "$root/build/host/OrvaneCD" "$@"
