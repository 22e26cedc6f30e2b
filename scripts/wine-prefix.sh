#!/usr/bin/env bash
# Prepares or stops the private 32-bit Wine prefix of a build tree.
#   wine-prefix.sh start PREFIX   create it once (headless, no crash dialog), start a wineserver
#   wine-prefix.sh stop PREFIX    stop its wineserver
set -eu
action="$1"
export WINEPREFIX="$2" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

case "$action" in
start)
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i </dev/null >/dev/null 2>&1
    # No display is needed: dialogs and message boxes run on Wine's null graphics driver.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    # A crash must fail the test, not wait on the debugger's dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      </dev/null >/dev/null 2>&1
    wineserver -w
  fi
  # A persistent server, detached from the caller's pipes, keeps later starts fast and lets
  # CTest see the end of each test's output.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine cmd /c exit </dev/null >/dev/null 2>&1
  ;;
stop)
  wineserver -k </dev/null >/dev/null 2>&1 || true
  ;;
*)
  echo "usage: $0 start|stop PREFIX" >&2
  exit 2
  ;;
esac
