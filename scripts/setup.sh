#!/usr/bin/env bash
# Installs the cross toolchain and Wine on Debian 12 when they are missing, and the native
# compilers, sanitizer and fuzzer runtimes and coverage tools of the file-format core, and what the
# checks of a release's bill of materials need: Debian's JSON schema validator and the CycloneDX
# schemas. Idempotent: prints nothing and installs nothing when all is present.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
          binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 cmake ninja-build
          wine wine64 wine32:i386 libwine-dev doctest-dev nlohmann-json3-dev python3 wixl
          msitools osslsigncode openssl clang-14 libclang-rt-14-dev llvm-14 g++
          python3-jsonschema)
# The machine's own Node.js may bring npm; Debian's otherwise.
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The CycloneDX 1.5 JSON schema and the schemas it refers to, from the CycloneDX library's npm
# package at a fixed version, into the build folder; only its schema files are used (no scripts,
# none of its optional peers).
schema_package=@cyclonedx/cyclonedx-library@10.3.0
schema_folder="$root/build/tools/cyclonedx"
schema_stamp="$schema_folder/installed-$(tr '@/' '__' <<<"$schema_package")"
if [ ! -f "$schema_stamp" ]; then
  echo "Installing: $schema_package"
  rm -rf "$schema_folder"
  mkdir -p "$schema_folder"
  npm install --prefix "$schema_folder" --no-save --ignore-scripts --legacy-peer-deps --no-audit \
    --no-fund --loglevel=error "$schema_package" >/dev/null
  touch "$schema_stamp"
fi
