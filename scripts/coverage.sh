#!/usr/bin/env bash
# Line coverage of the file-format core from its native tests and the fuzz targets' corpora:
# scripts/coverage.sh [CORPORA], where CORPORA holds a folder per target (that of a long run,
# say) replayed beside the committed seeds and regression inputs. Builds build/native-coverage.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/preset.sh
build_preset native-coverage
build=build/native-coverage/native
profiles=build/native-coverage/profiles
rm -rf "$profiles"
mkdir -p "$profiles"
LLVM_PROFILE_FILE="$profiles/tests-%p.profraw" "$build/corvane_native_tests" >/dev/null
objects=()
for target in $(basename -s .cpp native/fuzz/*Fuzz.cpp); do
  program="$build/fuzz/$target"
  inputs=(native/fuzz/corpus/"$target")
  [ -d native/fuzz/regressions/"$target" ] && inputs+=(native/fuzz/regressions/"$target")
  [ -n "${1:-}" ] && [ -d "$1/$target" ] && inputs+=("$1/$target")
  LLVM_PROFILE_FILE="$profiles/$target-%p.profraw" "$program" -runs=0 "${inputs[@]}" \
    >/dev/null 2>&1
  objects+=(-object "$program")
done
llvm-profdata merge -sparse "$profiles"/*.profraw -o "$profiles/core.profdata"
llvm-cov report "$build/corvane_native_tests" "${objects[@]}" \
  -instr-profile="$profiles/core.profdata" platform text statements calendar payments \
  hostkit tools
