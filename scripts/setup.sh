#!/usr/bin/env bash
# Installs what the two commands need on Debian 12 or 13 when it is missing: the cross toolchain,
# the 64-bit Wine, the native compilers with their sanitizer and fuzzer runtimes, and what the
# release checks need (Debian's JSON schema validator and the CycloneDX schemas). Idempotent:
# prints nothing and installs nothing when all is present.
#
# The package registry is not always whole. A package list that cannot be refreshed is named in one
# line and set-up goes on with the lists it has. What the builds need is installed first, and a
# failure there stops set-up with one message. The 32-bit Wine, which only runs the x86 build, comes
# last and on its own: where it cannot be installed, one line says so and the commands go on as on
# a machine that cannot run 32-bit programs; the next run tries again.
#
# CORVANE_APT_RETRY_PAUSE: seconds between tries of the package lists' refresh (default 10).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# Unversioned names, so that Debian 12 and 13 each bring their own release of the tools.
required=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
          binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 cmake ninja-build
          wine wine64 libwine-dev doctest-dev nlohmann-json3-dev python3 wixl
          msitools osslsigncode openssl clang llvm libclang-rt-dev g++
          python3-jsonschema)
# The machine's own Node.js may bring npm; Debian's otherwise.
command -v npm >/dev/null || required+=(npm)
x86_runtime=(wine32:i386)

missing() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      echo "$package"
  done
}

# The lists are refreshed once a run, and only when something is to be installed.
lists_refreshed=
refresh_package_lists() {
  [ -n "$lists_refreshed" ] && return
  lists_refreshed=1
  local attempt output failed
  for attempt in 1 2 3; do
    output=$(apt-get update -q 2>&1) && return
    [ "$attempt" -lt 3 ] && sleep "${CORVANE_APT_RETRY_PAUSE:-10}"
  done
  failed=$(grep -o -m 1 'Failed to fetch [^ ]*' <<<"$output" | sed 's/^Failed to fetch //')
  echo "Set-up: a package list could not be refreshed after 3 tries" \
    "(${failed:-$(grep -m 1 '^E:' <<<"$output")}); going on with the lists apt has."
}

# install PACKAGE...: installs them, or prints apt's reasons in one line and fails. An install
# that an earlier run left unfinished is finished first.
install() {
  local output
  dpkg --configure -a >/dev/null 2>&1
  output=$(DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@" 2>&1) &&
    return
  grep '^E: ' <<<"$output" | sed 's/^E: //' | paste -sd ';' | sed 's/;/; /g'
  return 1
}

mapfile -t needed < <(missing "${required[@]}")
mapfile -t needed_x86 < <(missing "${x86_runtime[@]}")
if [ ${#needed_x86[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

if [ ${#needed[@]} -gt 0 ]; then
  echo "Installing: ${needed[*]}"
  refresh_package_lists
  if ! reason=$(install "${needed[@]}"); then
    echo "Set-up failed: cannot install ${needed[*]}." >&2
    [ -n "$reason" ] && echo "apt-get said: $reason" >&2
    echo "The package registry is likely out of sync: try again later." >&2
    exit 1
  fi
fi

if [ ${#needed_x86[@]} -gt 0 ]; then
  echo "Installing: ${needed_x86[*]}"
  refresh_package_lists
  if ! reason=$(install "${needed_x86[@]}"); then
    echo "Set-up: the 32-bit Wine (${needed_x86[*]}) cannot be installed today" \
      "(${reason:-apt-get failed}); x86 is built and checked as a file, not run. The next run" \
      "tries again."
  fi
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
  if ! npm install --prefix "$schema_folder" --no-save --ignore-scripts --legacy-peer-deps \
    --no-audit --no-fund --loglevel=error "$schema_package" >/dev/null; then
    echo "Set-up failed: cannot install $schema_package from the npm registry; try again later." >&2
    exit 1
  fi
  touch "$schema_stamp"
fi
