#!/usr/bin/env bash
# Runs a Windows program in the given private Wine prefix: wine-exec.sh PREFIX PROGRAM [ARGS...]
set -eu
export WINEPREFIX="$1" WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
shift
exec wine "$@"
