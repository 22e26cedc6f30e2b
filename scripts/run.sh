#!/usr/bin/env bash
# The main job: builds the component, registers it in the build's private Wine prefix and runs
# the reference host on the samples, unattended. Run from the repository root.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw
prefix="$PWD/build/wineprefix"
bash scripts/wine-prefix.sh start "$prefix"
trap 'bash scripts/wine-prefix.sh stop "$prefix"' EXIT
host() { scripts/wine-exec.sh "$prefix" build/tools/velmora-host/velmora-host.exe "$@"; }
out=build/out
mkdir -p "$out"
rm -f "$out"/*.csv

echo "== Registering Corvane.dll"
scripts/wine-exec.sh "$prefix" regsvr32 /s build/module/Corvane.dll
echo
echo "== The bank and its services"
host list
echo
echo "== Exporting samples/payments.csv as Payment 1 To 1 (processing date: next banking day)"
host export --batch samples/payments.csv --format one-to-one --save-as "$out/payments-1to1.csv"
echo "-- $out/payments-1to1.csv:"
cat "$out/payments-1to1.csv"
echo
echo "== Exporting samples/payments.csv as Business eBanking BACS ID"
host export --batch samples/payments.csv --format bacs-id --save-as "$out/payments-bacs-id.csv"
echo "-- $out/payments-bacs-id.csv:"
cat "$out/payments-bacs-id.csv"
echo
echo "== Importing samples/statement.txt for account 12-34-56 12345678"
host import --statement samples/statement.txt --sort-code 12-34-56 --account 12345678
