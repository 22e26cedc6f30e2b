#!/usr/bin/env bash
# Builds both architectures and runs every test: all of them against x64 under wine64, and against
# x86 under 32-bit Wine where this machine can run it (elsewhere the x86 checks that need no Wine).
# Run from the repository root.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/build.sh
. scripts/architectures.sh
echo "$architectures_line"
ctest --preset x64
if [[ " ${runnable_architectures[*]} " == *" x86 "* ]]; then
  ctest --preset x86
else
  ctest --preset x86-checks
fi
# The file-format core built for this machine: its sanitizer tests with clang and with g++, and
# a short run of every fuzz target (clang).
for preset in native native-gcc; do
  build_preset "$preset"
  ctest --preset "$preset"
done
echo "$architectures_line"
