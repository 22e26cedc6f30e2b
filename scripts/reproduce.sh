#!/usr/bin/env bash
# Checks that the build reproduces: builds the current commit a second time, in a temporary
# worktree and at a later time, and compares every shipped file (both DLLs, both installer
# packages, their notices, bills of materials and provenance statements) byte for byte with
# build/x86 and build/x64, which it first brings up to date; then checks the second build's files
# against the provenance of the first. Prints one line per file and exits non-zero when one
# differs. Only what ships is built (the target corvane_release and what it needs). A signed build
# reproduces too, with the same certificate and no timestamp server. Run from the repository root.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/preset.sh
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "Uncommitted changes: build/ is built from them, the second build from the commit alone."
fi
build_shipped() {
  local arch
  for arch in x86 x64; do
    build_preset "$arch" corvane_release >/dev/null
  done
}
build_shipped
. scripts/shipped-files.sh

scratch=$(mktemp -d)
second="$scratch/corvane"
trap 'git worktree remove --force "$second" 2>/dev/null || true; rm -rf "$scratch"' EXIT
git worktree add --quiet --detach "$second" HEAD
echo "Building $(git rev-parse --short HEAD) again in $second"
started=$SECONDS
(cd "$second" && build_shipped)
echo "Second build: $((SECONDS - started)) s"

differing=0
for file in "${shipped_files[@]}"; do
  if comparison=$(cmp "$file" "$second/$file" 2>&1); then
    echo "identical  $file"
  else
    echo "differs    $file: $comparison"
    differing=$((differing + 1))
  fi
done
echo "The second build against the provenance of the first:"
for arch in x86 x64; do
  provenance=$(grep '\.provenance\.json$' "build/$arch/shipped-files.txt")
  python3 release/check_provenance.py "build/$arch/$provenance" "$second/build/$arch" ||
    differing=$((differing + 1))
done
[ "$differing" -eq 0 ]
