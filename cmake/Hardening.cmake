# Hardening of every Windows binary of the build, the shipped DLL first: a host may hand the
# component texts that fill fixed buffers, so overruns are caught at run time.
# - Stack protector and fortified string and memory calls; their runtime support (libssp) is
#   linked in statically like the rest of the runtime, so no new DLL ships beside the component.
# - Address space layout randomisation, data execution prevention and, on x64, high-entropy
#   addresses, stated even where the linker sets them by default.
# - On x86 the image declares that it has no structured exception handlers: C++ exceptions unwind
#   with DWARF tables there, so none is registered, and none can be injected either.
# Control Flow Guard and CET shadow stacks are not available with this toolchain.
add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-fstack-protector-strong>
                    $<$<COMPILE_LANGUAGE:C,CXX>:-D_FORTIFY_SOURCE=2>)
add_link_options(-fstack-protector-strong -Wl,--dynamicbase -Wl,--nxcompat)
if(CORVANE_ARCH STREQUAL "x64")
  add_link_options(-Wl,--high-entropy-va)
else()
  add_link_options(-Wl,--no-seh)
endif()
