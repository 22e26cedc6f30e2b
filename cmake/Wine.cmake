# Runs the build's Windows programs under the Wine of its architecture, in a private prefix of this
# build tree.
set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(WINE_EXEC ${CMAKE_SOURCE_DIR}/scripts/wine-exec.sh ${CORVANE_ARCH} ${WINE_PREFIX})
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_EXEC})

# Header-only libraries from the build machine (test framework, JSON), copied so that the
# cross compiler sees no Linux header.
set(THIRD_PARTY_DIR ${CMAKE_BINARY_DIR}/third_party)
configure_file(/usr/include/doctest/doctest.h ${THIRD_PARTY_DIR}/doctest/doctest.h COPYONLY)
file(COPY /usr/include/nlohmann DESTINATION ${THIRD_PARTY_DIR})

# The test programs' entry point and the component's resources, compiled once for all of them.
add_library(corvane_test_main OBJECT ${CMAKE_SOURCE_DIR}/tests/support/TestMain.cpp
                                     ${CMAKE_SOURCE_DIR}/module/ComponentResources.rc)
target_include_directories(corvane_test_main PRIVATE ${THIRD_PARTY_DIR} ${CMAKE_SOURCE_DIR})

# corvane_add_test_program(<name> SOURCES <files> [LIBRARIES <libs>] [FIXTURES <fixtures>])
# One test program per subsystem, run by CTest under Wine in the shared prefix. The component's
# libraries it links are those of the shipped DLL; the test code itself is compiled for quick
# builds (-Og keeps the fortified calls and the warnings that need optimisation).
function(corvane_add_test_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;FIXTURES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} $<TARGET_OBJECTS:corvane_test_main>)
  target_compile_options(${name} PRIVATE -Og)
  target_include_directories(${name} PRIVATE ${THIRD_PARTY_DIR} ${CMAKE_SOURCE_DIR}/tests
                                                   ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "wine;${ARG_FIXTURES}" TIMEOUT 600)
endfunction()
