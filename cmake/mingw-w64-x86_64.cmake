# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KORVANE_MINGW_TRIPLE x86_64-w64-mingw32)

# The posix thread model gives std::thread and std::mutex; the win32 one lacks them in GCC 12.
find_program(KORVANE_MINGW_CXX NAMES ${KORVANE_MINGW_TRIPLE}-g++-posix ${KORVANE_MINGW_TRIPLE}-g++ REQUIRED)
find_program(KORVANE_MINGW_CC NAMES ${KORVANE_MINGW_TRIPLE}-gcc-posix ${KORVANE_MINGW_TRIPLE}-gcc REQUIRED)
set(CMAKE_CXX_COMPILER ${KORVANE_MINGW_CXX})
set(CMAKE_C_COMPILER ${KORVANE_MINGW_CC})
set(CMAKE_RC_COMPILER ${KORVANE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KORVANE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no libstdc++, libgcc or winpthread DLLs needed beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test executables run under Wine when CTest is used from the Linux side.
find_program(KORVANE_WINE NAMES wine wine64)
if(KORVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANE_WINE})
endif()
