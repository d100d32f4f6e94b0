# Cross-building the Windows program on Linux with Debian's MinGW-w64 (posix threads):
# a 64-bit GUI .exe that carries its C++ runtime, so it needs nothing beside Windows' own DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_zobu_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_zobu_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_zobu_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_zobu_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_zobu_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and winpthread linked in: the .exe runs from a bare folder or a ZIP.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Release builds without their symbol tables: a third of the size.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-s")
