# Cross-compiling for Windows with Debian's mingw-w64:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake              # x86_64
#   cmake -S . -B build-windows-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DORVEX_WINDOWS_ARCH=i686
#
# The -posix compilers: GCC's default win32 thread model has no std::thread. Programs are
# linked statically (C and C++ runtimes, winpthread), so each .exe runs with nothing beside it.
set(ORVEX_WINDOWS_ARCH "x86_64" CACHE STRING "Windows target: x86_64 or i686")
set_property(CACHE ORVEX_WINDOWS_ARCH PROPERTY STRINGS x86_64 i686)
# try_compile projects read this file again; hand them the choice.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORVEX_WINDOWS_ARCH)

if(ORVEX_WINDOWS_ARCH STREQUAL "x86_64")
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
elseif(ORVEX_WINDOWS_ARCH STREQUAL "i686")
  set(CMAKE_SYSTEM_PROCESSOR x86)
else()
  message(FATAL_ERROR "ORVEX_WINDOWS_ARCH must be x86_64 or i686, not '${ORVEX_WINDOWS_ARCH}'")
endif()

set(CMAKE_SYSTEM_NAME Windows)
set(ORVEX_MINGW_TRIPLET ${ORVEX_WINDOWS_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVEX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVEX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVEX_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVEX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine (Debian's wine64 keeps its loader out of PATH).
find_program(ORVEX_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(ORVEX_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVEX_WINE64})
endif()
# M_PI and friends from <cmath> under strict C++20.
set(CMAKE_C_FLAGS_INIT "-D_USE_MATH_DEFINES")
set(CMAKE_CXX_FLAGS_INIT "-D_USE_MATH_DEFINES")
