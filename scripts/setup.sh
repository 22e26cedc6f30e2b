#!/usr/bin/env bash
# Installs the cross toolchain and Wine on Debian 12 when they are missing, and the native
# compilers, sanitizer and fuzzer runtimes and coverage tools of the file-format core.
# Idempotent: prints nothing and installs nothing when all is present.
set -euo pipefail

packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
          binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 cmake ninja-build
          wine wine64 wine32:i386 libwine-dev doctest-dev nlohmann-json3-dev python3 wixl
          msitools osslsigncode openssl clang-14 libclang-rt-14-dev llvm-14 g++)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
