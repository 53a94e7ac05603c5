# Cross-building the Windows program (64-bit) on Debian with MinGW-w64, POSIX thread model
# (packages mingw-w64 and g++-mingw-w64-x86-64-posix). Programs built here are run with Wine
# (package wine) in a Wine prefix of their own inside the build folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SB_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SB_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SB_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SB_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SB_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Statically linked, so that the .exe runs on a bare Windows without the compiler's DLLs; the
# libraries found are the static ones (zlib: package libz-mingw-w64-dev).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(ZLIB_USE_STATIC_LIBS ON)

# Test programs run under Wine with a prefix in the build folder, quietly, and without the
# .NET and HTML engines that a fresh prefix would otherwise offer to install.
find_program(SB_WINE wine)
set(SB_WINE_ENVIRONMENT env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all
    "WINEDLLOVERRIDES=mscoree,mshtml=")
if(SB_WINE AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SB_WINE_ENVIRONMENT} ${SB_WINE}
      CACHE STRING "Runs a Windows program built here" FORCE)
endif()
