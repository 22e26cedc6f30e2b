#!/usr/bin/env bash
# Prepares or stops the private Wine prefix of a build tree.
#   wine-prefix.sh start ARCH PREFIX           create it once (headless, no crash dialog), start
#                                              a wineserver
#   wine-prefix.sh start-display ARCH PREFIX   create it once for a real X display (Wine draws
#                                              the windows' frames itself, no crash dialog)
#   wine-prefix.sh stop ARCH PREFIX            stop its wineserver
# ARCH: x86 (a 32-bit prefix) or x64 (a 64-bit prefix).
set -eu
action="$1"
. "$(dirname "$0")/wine-arch.sh" "$2" "$3"
export WINEDEBUG=-all

wine_quietly() { "$wine_loader" "$@" </dev/null >/dev/null 2>&1; }

# create_prefix KEY NAME VALUE: boots a new prefix once, with the one setting of its display.
create_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return
  wine_quietly wineboot -i
  wine_quietly reg add "$1" /v "$2" /d "$3" /f
  # A crash must fail the test, not wait on the debugger's dialog.
  wine_quietly reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  "$wine_server" -w
}

case "$action" in
start)
  # No display is needed: dialogs and message boxes run on Wine's null graphics driver.
  create_prefix 'HKCU\Software\Wine\Drivers' Graphics null
  # A persistent server, detached from the caller's pipes, keeps later starts fast and lets
  # CTest see the end of each test's output.
  "$wine_server" -p </dev/null >/dev/null 2>&1 || true
  wine_quietly cmd /c exit
  ;;
start-display)
  # No window manager runs on a virtual display: Wine draws the windows' captions and frames.
  create_prefix 'HKCU\Software\Wine\X11 Driver' Managed N
  ;;
stop)
  "$wine_server" -k </dev/null >/dev/null 2>&1 || true
  ;;
*)
  echo "usage: $0 start|start-display|stop ARCH PREFIX" >&2
  exit 2
  ;;
esac
