#!/usr/bin/env bash
# The commit a build comes from, for what the build stamps from it instead of the clock: the
# packages' codes and times and the signing time.
#   source-date.sh epoch      SOURCE_DATE_EPOCH, or the commit's time when it is not set
#   source-date.sh revision   the commit's hash and that time, on one line
set -euo pipefail
root=$(dirname "$0")/..
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
case "${1:-}" in
epoch) echo "$epoch" ;;
revision) echo "$(git -C "$root" rev-parse HEAD) $epoch" ;;
*)
  echo "usage: $0 epoch|revision" >&2
  exit 2
  ;;
esac
