#!/usr/bin/env bash
# Builds everything with MinGW-w64 and runs every test under Wine. Run from the repository root.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw
ctest --preset mingw
