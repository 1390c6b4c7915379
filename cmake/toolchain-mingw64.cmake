# The 64-bit twin of the product, built from the same sources; it and the Windows-side
# tests run here under Wine, which ctest uses as the emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARNWICK_TRIPLE x86_64-w64-mingw32)
# The win32 thread model: the product is single-threaded and needs no winpthread.
set(CMAKE_C_COMPILER ${TARNWICK_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TARNWICK_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${TARNWICK_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TARNWICK_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
