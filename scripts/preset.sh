# Sourced: build_preset PRESET [TARGET...] installs what is missing (once per shell), configures
# the CMake preset and builds it, or only the given targets. Run from the repository root.
build_preset() {
  local preset="$1"
  shift
  if [ -z "${corvane_set_up:-}" ]; then
    bash scripts/setup.sh
    corvane_set_up=1
  fi
  cmake --preset "$preset" >/dev/null
  if [ $# -gt 0 ]; then
    cmake --build --preset "$preset" --target "$@"
  else
    cmake --build --preset "$preset"
  fi
}
