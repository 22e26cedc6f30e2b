# Cross-compiles for Windows with MinGW-w64 (posix threads, for std::mutex in the runtime).
# CORVANE_ARCH chooses the product: x86 (i686, for 32-bit hosts) or x64 (x86-64, for 64-bit hosts).
set(CORVANE_ARCH x86 CACHE STRING "Windows architecture of the build: x86 or x64")
set_property(CACHE CORVANE_ARCH PROPERTY STRINGS x86 x64)

set(CMAKE_SYSTEM_NAME Windows)
if(CORVANE_ARCH STREQUAL "x86")
  set(CMAKE_SYSTEM_PROCESSOR i686)
elseif(CORVANE_ARCH STREQUAL "x64")
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
else()
  message(FATAL_ERROR "CORVANE_ARCH is x86 or x64, not '${CORVANE_ARCH}'")
endif()
set(TOOLCHAIN_PREFIX ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
