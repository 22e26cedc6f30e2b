# Sourced by the Wine scripts: selects the Wine of one architecture and a private prefix.
#   . scripts/wine-arch.sh ARCH PREFIX     ARCH: x86 (32-bit Wine) or x64 (wine64)
# The loader is named explicitly: Debian's wine, wineboot, regsvr32 and winepath wrappers take the
# 32-bit loader whenever it is installed, even on kernels that cannot run 32-bit programs.
case "$1" in
x86) wine_loader=/usr/lib/wine/wine WINEARCH=win32 ;;
x64) wine_loader=/usr/lib/wine/wine64 WINEARCH=win64 ;;
*)
  echo "unknown architecture '$1': x86 or x64" >&2
  exit 2
  ;;
esac
# One server program serves prefixes of both architectures (as Debian's wineserver wrapper picks).
wine_server=/usr/lib/wine/wineserver64
export WINEARCH WINEPREFIX="$2" WINELOADER="$wine_loader"
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
