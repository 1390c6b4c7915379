# The product: a 32-bit Windows executable, cross-compiled with MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARNWICK_TRIPLE i686-w64-mingw32)
# The win32 thread model: the product is single-threaded and needs no winpthread.
set(CMAKE_C_COMPILER ${TARNWICK_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TARNWICK_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${TARNWICK_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TARNWICK_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# These machines cannot execute 32-bit code: there is no emulator for this build.
