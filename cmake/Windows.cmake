# The Windows builds: the product TarnwickSetup.exe (both bitnesses), and in the 64-bit
# build also the Windows-side tests and the UI driver that the end-to-end scenarios use.
enable_language(RC)

# Small, self-contained and reproducible: static run-time, no link time stamp, no symbols.
set(TARNWICK_WIN_COMPILE_OPTIONS -Os -ffunction-sections -fdata-sections)
set(TARNWICK_WIN_LINK_OPTIONS -static -static-libgcc -static-libstdc++
    -Wl,--no-insert-timestamp -Wl,--gc-sections -s)
target_compile_options(tarnwick_core PRIVATE ${TARNWICK_WIN_COMPILE_OPTIONS})
target_compile_definitions(tarnwick_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

# The Win32 halves of every unit (*_win.cpp); the entry stays out so that tests can link the rest.
file(GLOB_RECURSE TARNWICK_WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*_win.cpp)
list(REMOVE_ITEM TARNWICK_WIN_SOURCES ${CMAKE_SOURCE_DIR}/src/app/main_win.cpp
     ${CMAKE_SOURCE_DIR}/src/app/lean_runtime_win.cpp)
add_library(tarnwick_win STATIC ${TARNWICK_WIN_SOURCES})
target_compile_options(tarnwick_win PRIVATE ${TARNWICK_WIN_COMPILE_OPTIONS})
target_link_libraries(tarnwick_win PUBLIC tarnwick_core
                      comctl32 shell32 ole32 oleaut32 gdi32 user32 advapi32 kernel32)

# Payload records packed by the host tool (built first by the native preset).
set(TARNWICK_PACK "${CMAKE_SOURCE_DIR}/build/native/tarnwick-pack" CACHE FILEPATH "the host packing tool")
set(TARNWICK_RESOURCE_FILES ${CMAKE_SOURCE_DIR}/resources/product.rc)
include(${CMAKE_SOURCE_DIR}/resources/payload.cmake OPTIONAL)

# An installer program: the entry and the lean run-time pieces over the Win32 library, with
# the product's resources and a payload. TarnwickSetup carries the sample payload; the
# end-to-end tests build a twin with a large one.
function(tarnwick_add_installer target resource_files)
  add_executable(${target} WIN32 ${CMAKE_SOURCE_DIR}/src/app/main_win.cpp
                 ${CMAKE_SOURCE_DIR}/src/app/lean_runtime_win.cpp ${resource_files})
  target_compile_options(${target} PRIVATE ${TARNWICK_WIN_COMPILE_OPTIONS})
  target_link_options(${target} PRIVATE ${TARNWICK_WIN_LINK_OPTIONS})
  target_link_libraries(${target} PRIVATE tarnwick_win)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()
tarnwick_add_installer(TarnwickSetup "${TARNWICK_RESOURCE_FILES}")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources -I${CMAKE_BINARY_DIR}")

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  include(${CMAKE_SOURCE_DIR}/cmake/WindowsTests.cmake)
endif()
