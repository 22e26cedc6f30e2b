#!/usr/bin/env bash
# The main job: builds the component, registers it in the build's private Wine prefix and runs
# the reference host on the samples. Run from the repository root.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw
prefix="$PWD/build/wineprefix"
bash scripts/wine-prefix.sh start "$prefix"
trap 'bash scripts/wine-prefix.sh stop "$prefix"' EXIT
wine_run() { scripts/wine-exec.sh "$prefix" "$@"; }

echo "== Registering Corvane.dll"
wine_run regsvr32 /s build/module/Corvane.dll
echo "== The bank and its services"
wine_run build/tools/velmora-host/velmora-host.exe list
