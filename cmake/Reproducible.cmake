# The same commit built in any folder, at any time, gives the same bytes: the binaries name no
# folder of the build machine and the DLL's headers carry no link time.
add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>
                    $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>)
add_link_options(-Wl,--no-insert-timestamp)

# What the shipped files take from outside the sources, written at every build but changed only
# when its text changes, so that exactly what depends on it is made again:
# - SIGNING_IDENTITY_FILE: the certificate the environment names for signing, or "unsigned";
# - SOURCE_REVISION_FILE: the commit and its time, stamped into the packages.
function(corvane_build_stamp target file)
  add_custom_target(${target}
    COMMAND ${CMAKE_COMMAND} -P ${CMAKE_SOURCE_DIR}/cmake/WriteIfChanged.cmake ${file} ${ARGN}
    BYPRODUCTS ${file}
    COMMENT "Checking ${file}"
    VERBATIM)
endfunction()
set(SIGNING_IDENTITY_FILE ${CMAKE_BINARY_DIR}/signing-identity.txt)
corvane_build_stamp(corvane_signing_identity ${SIGNING_IDENTITY_FILE}
                    ${CMAKE_SOURCE_DIR}/scripts/sign.sh --identity)
set(SOURCE_REVISION_FILE ${CMAKE_BINARY_DIR}/source-revision.txt)
corvane_build_stamp(corvane_source_revision ${SOURCE_REVISION_FILE}
                    ${CMAKE_SOURCE_DIR}/scripts/source-date.sh revision)

# The files a resource script includes (dialogs, string tables, headers) are dependencies of its
# object, so that a build after a change gives the bytes a fresh build gives. Files named by
# resource statements (icons, registry scripts, type libraries) are not preprocessor includes:
# targets list those in OBJECT_DEPENDS.
# windres hands each of these to the C preprocessor it runs.
set(CMAKE_DEPFILE_FLAGS_RC "")
foreach(argument -MD -MT <DEP_TARGET> -MF <DEP_FILE>)
  string(APPEND CMAKE_DEPFILE_FLAGS_RC " --preprocessor-arg=${argument}")
endforeach()
