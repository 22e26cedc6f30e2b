# corvane_split_debug_symbols(<target>)
# The binary that is registered, tested and shipped carries no symbols: they go to <file>.debug
# beside it in the build, which a debugger finds through the binary's debug link. The debug file
# never ships.
function(corvane_split_debug_symbols target)
  set(binary $<TARGET_FILE:${target}>)
  set(symbols $<TARGET_FILE_NAME:${target}>.debug)
  # Each step keeps the binary's PE time stamp (--preserve-dates), which the link leaves empty:
  # otherwise the binary, and the debug file whose checksum its debug link holds, would carry the
  # time of the build.
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --preserve-dates --only-keep-debug ${binary} ${symbols}
    COMMAND ${CMAKE_STRIP} --preserve-dates --strip-all ${binary}
    # The link names the file without its folder and is resolved beside the binary.
    COMMAND ${CMAKE_OBJCOPY} --preserve-dates --add-gnu-debuglink=${symbols} ${binary}
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
