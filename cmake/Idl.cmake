# Compiles IDL with widl into a C/C++ header and a type library in the build tree.
find_program(WIDL NAMES i686-w64-mingw32-widl widl REQUIRED)
set(WINE_IDL_INCLUDE /usr/include/wine/wine/windows)
# stdole2.tlb, which every type library imports, comes from the 64-bit Wine's library folder for
# both architectures: the 32-bit Wine, which only runs the x86 build, is not needed to make it, and
# the x86 type libraries come out byte for byte the same with either Wine's copy.
set(WINE_TLB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
if(CORVANE_ARCH STREQUAL "x64")
  set(WIDL_TARGET --win64)
else()
  set(WIDL_TARGET --win32)
endif()
# widl writes the time it ran into a type library; it is set to the start of Unix time after it.
find_program(PYTHON3 python3 REQUIRED)
set(TYPE_LIBRARY_TIME ${CMAKE_CURRENT_LIST_DIR}/zero_type_library_time.py)
set(IDL_OUTPUT_DIR ${CMAKE_BINARY_DIR}/idl)
file(MAKE_DIRECTORY ${IDL_OUTPUT_DIR})

# corvane_compile_idl(<idl file> DEPENDS <files the IDL imports or whose .tlb it loads>)
# Sets <name>_IDL_OUTPUTS to the header and the .tlb.
function(corvane_compile_idl idl)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  get_filename_component(name ${idl} NAME_WE)
  get_filename_component(idl_dir ${idl} DIRECTORY)
  set(header ${IDL_OUTPUT_DIR}/${name}.h)
  set(tlb ${IDL_OUTPUT_DIR}/${name}.tlb)
  add_custom_command(
    OUTPUT ${header} ${tlb}
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC
            ${WIDL} ${WIDL_TARGET} -I${WINE_IDL_INCLUDE} -I${idl_dir} -I${CMAKE_SOURCE_DIR}/host
            -L${WINE_TLB_DIR} -L${IDL_OUTPUT_DIR} -h -H ${header} -t -T ${tlb} ${idl}
    COMMAND ${PYTHON3} ${TYPE_LIBRARY_TIME} ${tlb}
    DEPENDS ${idl} ${ARG_DEPENDS} ${TYPE_LIBRARY_TIME}
    WORKING_DIRECTORY ${IDL_OUTPUT_DIR}
    COMMENT "widl ${name}.idl"
    VERBATIM)
  set(${name}_IDL_OUTPUTS ${header} ${tlb} PARENT_SCOPE)
endfunction()
