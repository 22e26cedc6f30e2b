#!/usr/bin/env bash
# Prepares or stops the private Wine prefix of a build tree.
#   wine-prefix.sh start ARCH PREFIX   create it once (headless, no crash dialog), start a wineserver
#   wine-prefix.sh stop ARCH PREFIX    stop its wineserver
# ARCH: x86 (a 32-bit prefix) or x64 (a 64-bit prefix).
set -eu
action="$1"
. "$(dirname "$0")/wine-arch.sh" "$2" "$3"
export WINEDEBUG=-all

case "$action" in
start)
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine_loader" wineboot -i </dev/null >/dev/null 2>&1
    # No display is needed: dialogs and message boxes run on Wine's null graphics driver.
    "$wine_loader" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
      </dev/null >/dev/null 2>&1
    # A crash must fail the test, not wait on the debugger's dialog.
    "$wine_loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      </dev/null >/dev/null 2>&1
    "$wine_server" -w
  fi
  # A persistent server, detached from the caller's pipes, keeps later starts fast and lets
  # CTest see the end of each test's output.
  "$wine_server" -p </dev/null >/dev/null 2>&1 || true
  "$wine_loader" cmd /c exit </dev/null >/dev/null 2>&1
  ;;
stop)
  "$wine_server" -k </dev/null >/dev/null 2>&1 || true
  ;;
*)
  echo "usage: $0 start|stop ARCH PREFIX" >&2
  exit 2
  ;;
esac
