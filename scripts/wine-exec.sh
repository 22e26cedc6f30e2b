#!/usr/bin/env bash
# Runs a Windows program (or a Wine program such as regsvr32) in a private prefix:
#   wine-exec.sh ARCH PREFIX PROGRAM [ARGS...]     ARCH: x86 or x64
set -eu
. "$(dirname "$0")/wine-arch.sh" "$1" "$2"
shift 2
exec "$wine_loader" "$@"
