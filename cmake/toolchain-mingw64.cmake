# The 64-bit twin of the product, built from the same sources; it and the Windows-side
# tests run here under Wine, which ctest uses as the emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARNWICK_TRIPLE x86_64-w64-mingw32)
# The posix thread model: GoogleTest needs std::mutex, and the product is built with the
# same run time as the twin that the tests run. winpthread is linked statically.
set(CMAKE_C_COMPILER ${TARNWICK_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNWICK_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TARNWICK_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TARNWICK_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
