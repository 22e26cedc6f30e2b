# Sourced by the test and main-job commands: which builds this machine can run.
# x64 runs under wine64 always. x86 runs only where the 32-bit Wine loader really starts: some
# kernels have 32-bit emulation turned off. CORVANE_RUN_X86=0 leaves x86 out for one run, to try
# the path of such machines elsewhere.
# Sets runnable_architectures (x64 first) and architectures_line, one line saying which and why.
runnable_architectures=(x64)
if [ "${CORVANE_RUN_X86:-}" = 0 ]; then
  architectures_line="Architectures: x64 only (x86 left out by CORVANE_RUN_X86=0; built and checked)"
elif [ ! -e /usr/lib/wine/wine ]; then
  architectures_line="Architectures: x64 only (the 32-bit Wine is not installed; x86 built and checked)"
elif x86_probe=$(/usr/lib/wine/wine --version 2>&1 </dev/null); then
  runnable_architectures+=(x86)
  architectures_line="Architectures: x64 and x86"
else
  architectures_line="Architectures: x64 only (the 32-bit Wine loader cannot start here: ${x86_probe##*: }; x86 built and checked)"
fi
