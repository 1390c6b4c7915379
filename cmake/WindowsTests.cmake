# Windows-side tests (GoogleTest built by MinGW, run through Wine by ctest) and the UI driver.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest needs std::mutex, which MinGW's win32 thread model lacks: give it stand-ins.
foreach(target gtest gtest_main gmock gmock_main)
  target_compile_options(${target} PUBLIC -include ${CMAKE_SOURCE_DIR}/tests/win/compat/gtest_threads_win32.h)
endforeach()

file(GLOB TARNWICK_WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp
     ${CMAKE_SOURCE_DIR}/tests/common/*.cpp)
if(TARNWICK_WIN_TEST_SOURCES)
  add_executable(tarnwick_win_tests ${TARNWICK_WIN_TEST_SOURCES} ${TARNWICK_RESOURCE_FILES})
  target_include_directories(tarnwick_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/resources ${CMAKE_BINARY_DIR})
  target_link_libraries(tarnwick_win_tests PRIVATE tarnwick_win gtest gmock gtest_main)
  target_link_options(tarnwick_win_tests PRIVATE -static -static-libgcc -static-libstdc++)
  set_target_properties(tarnwick_win_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  add_test(NAME win_tests COMMAND tarnwick_win_tests)
  set_tests_properties(win_tests PROPERTIES LABELS win TIMEOUT 600)
  # A home of the tests' own: Wine's Recycle Bin is the Unix user's Trash under it.
  set_property(TEST win_tests PROPERTY ENVIRONMENT_MODIFICATION
               "HOME=set:${CMAKE_BINARY_DIR}/win-tests-home" "XDG_DATA_HOME=unset:")
endif()

file(GLOB TARNWICK_DRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
if(TARNWICK_DRIVER_SOURCES)
  add_executable(tkdriver ${TARNWICK_DRIVER_SOURCES})
  target_link_options(tkdriver PRIVATE -static -static-libgcc -static-libstdc++)
  target_link_libraries(tkdriver PRIVATE user32 gdi32 kernel32)
  set_target_properties(tkdriver PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

# The control layer's tests make windows, which Wine can do only with a display: they run
# again under Xvfb, in a prefix of their own (without one they skip in win_tests).
find_program(TARNWICK_XVFB_RUN xvfb-run)
if(TARGET tarnwick_win_tests AND TARNWICK_XVFB_RUN)
  add_test(NAME win_ui_tests
           COMMAND ${TARNWICK_XVFB_RUN} -a -s "-screen 0 1024x768x24" ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh
                   $<TARGET_FILE:tarnwick_win_tests> --gtest_filter=*Ui*)
  set_tests_properties(win_ui_tests PROPERTIES LABELS win TIMEOUT 600
                       ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wine-ui-tests")
endif()

# TarnwickSetupLarge.exe, the installer with a large payload for the end-to-end scenarios.
include(${CMAKE_SOURCE_DIR}/tests/e2e/large_payload/large_payload.cmake OPTIONAL)
