# Sourced: build_preset PRESET [TARGET...] installs what is missing (once per shell), configures
# the CMake preset and builds it, or only the given targets; it fails when either step fails. Run
# from the repository root.
set_up() {
  if [ -z "${corvane_set_up:-}" ]; then
    bash scripts/setup.sh || return
    corvane_set_up=1
  fi
}
build_preset() {
  local preset="$1"
  shift
  set_up || return
  cmake --preset "$preset" >/dev/null || return
  if [ $# -gt 0 ]; then
    cmake --build --preset "$preset" --target "$@"
  else
    cmake --build --preset "$preset"
  fi
}
