# Sourced by the test and main-job commands: installs what is missing and builds both products,
# build/x86 and build/x64.
bash scripts/setup.sh
for arch in x86 x64; do
  cmake --preset "$arch" >/dev/null
  cmake --build --preset "$arch"
done
