#!/usr/bin/env bash
# The main job: builds the component and its packages, registers it in each runnable build's
# private Wine prefix and runs the reference host on the samples, unattended. Run from the
# repository root.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/preset.sh
set_up
. scripts/architectures.sh
echo "$architectures_line"
# Only what ships, and the reference host where it runs.
for arch in x86 x64; do
  targets=(corvane_release)
  [[ " ${runnable_architectures[*]} " == *" $arch "* ]] && targets+=(velmora-host)
  build_preset "$arch" "${targets[@]}"
done

# In a subshell of its own, so that each architecture's wineserver stops when its job ends.
run_main_job() (
  arch="$1" build="build/$1"
  prefix="$PWD/$build/wineprefix" out="$build/out"
  bash scripts/wine-prefix.sh start "$arch" "$prefix"
  trap 'bash scripts/wine-prefix.sh stop "$arch" "$prefix"' EXIT
  host() { scripts/wine-exec.sh "$arch" "$prefix" "$build/tools/velmora-host/velmora-host.exe" "$@"; }
  # The component writes payment files in the ANSI code page; the terminal reads UTF-8.
  show_payment_file() {
    echo "-- $1 (the file is Windows-1252; shown converted to UTF-8):"
    iconv -f WINDOWS-1252 -t UTF-8 "$1"
  }
  mkdir -p "$out"
  rm -f "$out"/*.csv

  echo
  echo "==== $arch: $build/module/Corvane.dll"
  echo "== Registering Corvane.dll"
  scripts/wine-exec.sh "$arch" "$prefix" regsvr32 /s "$build/module/Corvane.dll"
  echo
  echo "== The bank and its services"
  host list
  echo
  echo "== Exporting samples/payments.csv as Payment 1 To 1 (processing date: next banking day)"
  host export --batch samples/payments.csv --format one-to-one --save-as "$out/payments-1to1.csv"
  show_payment_file "$out/payments-1to1.csv"
  echo
  echo "== Exporting samples/payments.csv as Business eBanking BACS ID"
  host export --batch samples/payments.csv --format bacs-id --save-as "$out/payments-bacs-id.csv"
  show_payment_file "$out/payments-bacs-id.csv"
  echo
  echo "== Importing samples/statement.txt for account 12-34-56 12345678"
  host import --statement samples/statement.txt --sort-code 12-34-56 --account 12345678
)

for arch in "${runnable_architectures[@]}"; do
  run_main_job "$arch"
done

echo
echo "== Shipped files: signature and SHA-256 (build/SHA256SUMS: sha256sum -c build/SHA256SUMS)"
. scripts/shipped-files.sh
sha256sum "${shipped_files[@]}" >build/SHA256SUMS
# The DLLs and the packages carry signatures; the notices, bills of materials and provenance
# statements are texts whose sums stand for them.
signatures=()
for file in "${shipped_files[@]}"; do
  case "$file" in
  *.dll | *.msi) signatures+=("$(bash scripts/sign.sh --status "$file")") ;;
  *) signatures+=(text) ;;
  esac
done
paste -d ' ' <(printf '%-8s\n' "${signatures[@]}") build/SHA256SUMS
if printf '%s\n' "${signatures[@]}" | grep -qx unsigned; then
  echo "The build is unsigned: to sign it, set CORVANE_SIGN_PFX (a PKCS#12 file) and" \
    "CORVANE_SIGN_PASSWORD_FILE (a file holding its password) and run again."
fi
