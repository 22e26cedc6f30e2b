#!/usr/bin/env bash
# Authenticode signing of the shipped files (PE and Windows Installer packages) with osslsigncode,
# SHA-256, by the certificate the environment names:
#   CORVANE_SIGN_PFX             a PKCS#12 file with the code-signing key and its certificate chain
#   CORVANE_SIGN_PASSWORD_FILE   a file holding its password
#   CORVANE_SIGN_TIMESTAMP_URL   optional: a timestamp server (RFC 3161)
#
#   sign.sh FILE...                  signs each file in place; fails without a certificate
#   sign.sh --if-configured FILE...  the same, but leaves the files unsigned without a certificate
#   sign.sh --identity               prints what the signature depends on, for the build to sign
#                                    again when the certificate or the commit changes
#   sign.sh --status FILE...         prints "signed" or "unsigned" for each file, read from the file
#
# A release is timestamped: Windows ignores the signing time a signature names itself, so without
# a timestamp a signature stops verifying when the certificate expires, and sign.sh says so.
# Without a timestamp server the signing time is the commit's (SOURCE_DATE_EPOCH), so a signed
# build reproduces byte for byte with the same certificate.
set -euo pipefail
scripts=$(dirname "$0")

configured() {
  if [ -n "${CORVANE_SIGN_PFX:-}" ] && [ -n "${CORVANE_SIGN_PASSWORD_FILE:-}" ]; then
    return 0
  fi
  if [ -n "${CORVANE_SIGN_PFX:-}${CORVANE_SIGN_PASSWORD_FILE:-}" ]; then
    echo "sign.sh: set both CORVANE_SIGN_PFX and CORVANE_SIGN_PASSWORD_FILE, or neither" >&2
    exit 2
  fi
  return 1
}

sign() {
  local options=(-pkcs12 "$CORVANE_SIGN_PFX" -readpass "$CORVANE_SIGN_PASSWORD_FILE" -h sha256)
  if [ -n "${CORVANE_SIGN_TIMESTAMP_URL:-}" ]; then
    options+=(-ts "$CORVANE_SIGN_TIMESTAMP_URL")
  else
    options+=(-time "$(bash "$scripts/source-date.sh" epoch)")
    # Windows checks an untimestamped signature against the certificate's validity today.
    echo "sign.sh: signing without a timestamp (CORVANE_SIGN_TIMESTAMP_URL is not set):" \
      "on Windows these signatures stop verifying when the certificate expires" >&2
  fi
  local file
  for file in "$@"; do
    rm -f "$file.signed"
    osslsigncode sign "${options[@]}" -in "$file" -out "$file.signed" >/dev/null
    mv "$file.signed" "$file"
  done
}

status() {
  local scratch file
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' RETURN
  for file in "$@"; do
    if osslsigncode extract-signature -in "$file" -out "$scratch/signature" >/dev/null 2>&1; then
      echo signed
    else
      echo unsigned
    fi
    rm -f "$scratch/signature"
  done
}

case "${1:-}" in
--if-configured)
  shift
  if configured; then sign "$@"; fi
  ;;
--identity)
  if configured; then
    echo "certificate $(sha256sum <"$CORVANE_SIGN_PFX" | cut -d' ' -f1)"
    if [ -n "${CORVANE_SIGN_TIMESTAMP_URL:-}" ]; then
      echo "timestamp server $CORVANE_SIGN_TIMESTAMP_URL"
    else
      echo "signing time $(bash "$scripts/source-date.sh" epoch)"
    fi
  else
    echo unsigned
  fi
  ;;
--status)
  shift
  status "$@"
  ;;
*)
  if ! configured; then
    echo "sign.sh: no certificate: set CORVANE_SIGN_PFX and CORVANE_SIGN_PASSWORD_FILE" >&2
    exit 2
  fi
  sign "$@"
  ;;
esac
