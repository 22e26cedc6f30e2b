#!/usr/bin/env bash
# Tries the two commands as a new user of another Debian release would: in a minimal root made
# with debootstrap, on a fresh clone of this repository's HEAD.
#   try-in-chroot.sh RELEASE DIR [--no-x86] [COMMAND...]
# RELEASE: bookworm (Debian 12) or trixie (Debian 13); DIR: the root, made when missing. --no-x86
# stands in a registry that cannot give the 32-bit Wine. COMMAND defaults to both commands.
# Unmounts what it mounted on every path. Run as root from the repository root.
set -euo pipefail
release="$1" root="$2"
shift 2
no_x86=
if [ "${1:-}" = --no-x86 ]; then
  no_x86=1
  shift
fi
[ $# -gt 0 ] || set -- 'bash scripts/run.sh && bash scripts/test.sh'
mirror=http://deb.debian.org/debian

if [ ! -x "$root/usr/bin/apt-get" ]; then
  command -v debootstrap >/dev/null || apt-get install -y -q debootstrap
  debootstrap --variant=minbase "$release" "$root" "$mirror"
fi
cat >"$root/etc/apt/sources.list" <<SOURCES
deb $mirror $release main
deb $mirror $release-updates main
deb http://deb.debian.org/debian-security $release-security main
SOURCES
if [ -n "$no_x86" ]; then
  # A suite that does not exist makes the refresh fail, as an index out of sync does; the pin
  # makes the 32-bit Wine uninstallable.
  echo "deb $mirror $release-no-such-suite main" >>"$root/etc/apt/sources.list"
  printf 'Package: wine32 libwine:i386\nPin: release *\nPin-Priority: -1\n' \
    >"$root/etc/apt/preferences.d/no-32-bit-wine"
else
  rm -f "$root/etc/apt/preferences.d/no-32-bit-wine"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
mkdir -p "$root/usr/local/share/ca-certificates"
cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/" 2>/dev/null || true

mounted=()
unmount() {
  local index
  for ((index = ${#mounted[@]} - 1; index >= 0; index--)); do
    umount -l "${mounted[index]}" || true
  done
}
trap unmount EXIT
for folder in proc sys dev dev/pts; do
  mount --bind "/$folder" "$root/$folder"
  mounted+=("$root/$folder")
done
mount -t tmpfs tmpfs "$root/dev/shm"
mounted+=("$root/dev/shm")

rm -rf "$root/repository.git" "$root/corvane"
git clone -q --bare . "$root/repository.git"
chroot "$root" bash -lc '
  set -e
  export DEBIAN_FRONTEND=noninteractive
  if ! command -v git >/dev/null || ! command -v update-ca-certificates >/dev/null; then
    apt-get update -q >/dev/null || true
    apt-get install -y -q --no-install-recommends git ca-certificates >/dev/null
  fi
  update-ca-certificates >/dev/null
  git clone -q /repository.git /corvane'
chroot "$root" bash -lc "cd /corvane && $*"
