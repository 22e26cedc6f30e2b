# Runs the build's Windows programs under Wine in a private 32-bit prefix of this build tree.
set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-exec.sh ${WINE_PREFIX})

# Header-only test framework from the build machine, copied so that no Linux header is seen.
set(DOCTEST_DIR ${CMAKE_BINARY_DIR}/third_party)
configure_file(/usr/include/doctest/doctest.h ${DOCTEST_DIR}/doctest/doctest.h COPYONLY)

# corvane_add_test_program(<name> SOURCES <files> [LIBRARIES <libs>])
# One test program per subsystem, run by CTest under Wine in the shared prefix.
function(corvane_add_test_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;FIXTURES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/TestMain.cpp)
  target_include_directories(${name} PRIVATE ${DOCTEST_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "wine;${ARG_FIXTURES}" TIMEOUT 600)
endfunction()
