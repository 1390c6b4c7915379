# The host build: unit tests against the in-memory platform, the packing tool,
# benchmarks and the fuzz target.
find_package(GTest REQUIRED)

# The packing tool always runs on the host; the cross builds use what it packed.
file(GLOB TARNWICK_PACK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/pack/*.cpp)
if(TARNWICK_PACK_SOURCES)
  add_executable(tarnwick-pack ${TARNWICK_PACK_SOURCES})
  target_link_libraries(tarnwick-pack PRIVATE tarnwick_core)
  set_target_properties(tarnwick-pack PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

include(${CMAKE_SOURCE_DIR}/resources/payload.cmake OPTIONAL)

file(GLOB TARNWICK_NATIVE_TEST_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/tests/native/*.cpp ${CMAKE_SOURCE_DIR}/tests/fake/*.cpp
     ${CMAKE_SOURCE_DIR}/tests/common/*.cpp)
add_executable(tarnwick_tests ${TARNWICK_NATIVE_TEST_SOURCES})
target_include_directories(tarnwick_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(tarnwick_tests PRIVATE tarnwick_core GTest::gtest GTest::gmock GTest::gtest_main)
target_compile_definitions(tarnwick_tests PRIVATE TARNWICK_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                                  TARNWICK_BINARY_DIR="${CMAKE_BINARY_DIR}")
include(GoogleTest)
gtest_discover_tests(tarnwick_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)

foreach(extra bench fuzz)
  if(EXISTS ${CMAKE_SOURCE_DIR}/tests/${extra}/CMakeLists.txt)
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests/${extra} ${CMAKE_BINARY_DIR}/${extra})
  endif()
endforeach()
