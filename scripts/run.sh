#!/usr/bin/env bash
# The main job: builds the component, registers it in each runnable build's private Wine prefix and
# runs the reference host on the samples, unattended. Run from the repository root.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/build.sh
. scripts/architectures.sh
echo "$architectures_line"

# In a subshell of its own, so that each architecture's wineserver stops when its job ends.
run_main_job() (
  arch="$1" build="build/$1"
  prefix="$PWD/$build/wineprefix" out="$build/out"
  bash scripts/wine-prefix.sh start "$arch" "$prefix"
  trap 'bash scripts/wine-prefix.sh stop "$arch" "$prefix"' EXIT
  host() { scripts/wine-exec.sh "$arch" "$prefix" "$build/tools/velmora-host/velmora-host.exe" "$@"; }
  mkdir -p "$out"
  rm -f "$out"/*.csv

  echo
  echo "==== $arch: $build/module/Corvane.dll"
  echo "== Registering Corvane.dll"
  scripts/wine-exec.sh "$arch" "$prefix" regsvr32 /s "$build/module/Corvane.dll"
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
)

for arch in "${runnable_architectures[@]}"; do
  run_main_job "$arch"
done

echo
echo "== Installer packages"
ls build/x86/packaging/Corvane-*-x86.msi build/x64/packaging/Corvane-*-x64.msi
