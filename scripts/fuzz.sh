#!/usr/bin/env bash
# Runs one fuzz target of the file-format core for a while: scripts/fuzz.sh TARGET SECONDS
# (a target is each native/fuzz/*Fuzz.cpp; without arguments the targets are listed). It starts from the committed seeds and regression cases and keeps what it
# finds in build/native/fuzz-runs/TARGET; a crash or broken invariant leaves its input there as
# crash-*, to be fixed and added to native/fuzz/regressions/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -eq 0 ]; then
  basename -s .cpp native/fuzz/*Fuzz.cpp
  exit 0
fi
target=${1:?target}
seconds=${2:?seconds}
. scripts/preset.sh
build_preset native "$target"
run=build/native/fuzz-runs/$target
mkdir -p "$run/corpus"
regressions=native/fuzz/regressions/"$target"
[ -d "$regressions" ] || regressions=
build/native/native/fuzz/"$target" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$run/" "$run/corpus" native/fuzz/corpus/"$target" $regressions
