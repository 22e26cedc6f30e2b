# Sourced by the main job and the reproduction check: sets shipped_files to what the two builds
# ship (the DLLs, the installer packages, the notices, the bills of materials and the provenance
# statements), relative to the repository root, from the list each build folder's configuration
# writes (shipped-files.txt).
shipped_files=()
for arch in x86 x64; do
  while read -r file; do
    shipped_files+=("build/$arch/$file")
  done <"build/$arch/shipped-files.txt"
done
