#!/usr/bin/env bash
# Set-up, build and every test: the host build with its unit, in-process
# and whole-process tests, and the Windows builds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

cmake --preset host >/dev/null
cmake --build --preset host
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86

ctest --preset host
