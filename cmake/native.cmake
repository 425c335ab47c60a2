# Native build: unit tests, benchmarks and the tools that run on the build machine.

# POSIX bindings of the platform interfaces (file store, BSD sockets) for tools and tests.
file(GLOB MDX_POSIX_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/posix/*.cpp)
target_sources(mdxcore PRIVATE ${MDX_POSIX_SOURCES})
enable_testing()
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
include(GoogleTest)

file(GLOB MDX_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*_test.cpp)
add_executable(unit_tests ${MDX_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE mdxcore GTest::gtest GTest::gtest_main Threads::Threads)
target_compile_definitions(unit_tests PRIVATE MDX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES LABELS unit)

# Tests that talk to real peers on loopback (servers started by the tests).
file(GLOB MDX_LOOPBACK_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/loopback/*_test.cpp)
if(MDX_LOOPBACK_TESTS)
  add_executable(loopback_tests ${MDX_LOOPBACK_TESTS})
  target_link_libraries(loopback_tests PRIVATE mdxcore GTest::gtest GTest::gtest_main Threads::Threads)
  target_compile_definitions(loopback_tests PRIVATE MDX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(loopback_tests DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES LABELS loopback RUN_SERIAL TRUE)
endif()

find_package(benchmark QUIET)
file(GLOB MDX_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
if(benchmark_FOUND AND MDX_BENCHES)
  add_executable(benchmarks ${MDX_BENCHES})
  target_link_libraries(benchmarks PRIVATE mdxcore benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(benchmarks PRIVATE MDX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()

# Native tools (each tools/<name>/main.cpp becomes tools executable <name>).
file(GLOB MDX_TOOL_MAINS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*/main.cpp)
foreach(main IN LISTS MDX_TOOL_MAINS)
  get_filename_component(_dir ${main} DIRECTORY)
  get_filename_component(_name ${_dir} NAME)
  file(GLOB _tool_src CONFIGURE_DEPENDS ${_dir}/*.cpp)
  add_executable(${_name} ${_tool_src})
  target_link_libraries(${_name} PRIVATE mdxcore)
  target_compile_definitions(${_name} PRIVATE MDX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endforeach()
