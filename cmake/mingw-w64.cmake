# Cross build for 64-bit Windows with Debian's MinGW-w64 (POSIX threads
# flavour, g++-mingw-w64-x86-64-posix); programs run here under wine64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# Beside MinGW's own root, the folders of the libraries cross-built for it
# (scripts/windows-dependencias.sh: Qt, pugixml, dxflib, PROJ).
set(CELVARA_RAICES_WINDOWS "" CACHE STRING "Install prefixes of libraries cross-built for Windows")
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${CELVARA_RAICES_WINDOWS})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CELVARA_RAICES_WINDOWS)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Self-contained executables: no MinGW runtime DLLs to ship or to find.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
find_program(CELVARA_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(CELVARA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CELVARA_WINE})
endif()
