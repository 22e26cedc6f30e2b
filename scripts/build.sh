# Sourced by the test and main-job commands: installs what is missing and builds both products,
# build/x86 and build/x64.
. scripts/preset.sh
for arch in x86 x64; do
  build_preset "$arch"
done
