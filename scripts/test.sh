#!/usr/bin/env bash
# Builds and runs every test: all of them against x64 under wine64, and against x86 under 32-bit
# Wine where this machine can run it (elsewhere the x86 checks that need no Wine, with only what
# they check built); then the file-format core's sanitizer tests with clang and with g++, and a
# short run of every fuzz target (clang). Every part runs even when an earlier one failed; the
# last lines name what failed, and the exit code says whether anything did. Run from the
# repository root.
set -uo pipefail
cd "$(dirname "$0")/.."
. scripts/preset.sh
set_up || exit
. scripts/architectures.sh
echo "$architectures_line"

failed=()
# build PRESET [TARGET...]: builds it, noting a failure.
build() {
  build_preset "$@" && return
  failed+=("$1 (build)")
  return 1
}
# run_tests PRESET: runs a test preset, noting a failure.
run_tests() {
  ctest --preset "$1" || failed+=("$1")
}

if [[ " ${runnable_architectures[*]} " == *" x86 "* ]]; then
  # Each architecture's tests run in prefixes of their own, so the two run at once; each one's
  # output is shown whole when it ends.
  logs=$(mktemp -d)
  trap 'rm -rf "$logs"' EXIT
  # The x64 tests install the x86 package beside their own: both are built first.
  built=()
  for arch in x64 x86; do
    build "$arch" && built+=("$arch")
  done
  runs=()
  for arch in "${built[@]}"; do
    ctest --preset "$arch" >"$logs/$arch" 2>&1 &
    runs+=("$arch:$!")
  done
  for run in "${runs[@]}"; do
    wait "${run#*:}" || failed+=("${run%%:*}")
    cat "$logs/${run%%:*}"
  done
else
  # The x64 tests install the x86 package beside their own: it is built first.
  build x86 corvane_checked_files && x86_built=yes
  build x64 && run_tests x64
  [ -n "${x86_built:-}" ] && run_tests x86-checks
fi
for preset in native native-gcc; do
  build "$preset" && run_tests "$preset"
done

echo "$architectures_line"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed: ${failed[*]}"
  exit 1
fi
echo "Every part passed."
