# Native build: unit tests, benchmarks and the tools that run on the build machine.

# Code that only tests, benchmarks and tools use (PNG output, synthetic bitmaps, the per-pixel
# reference of the transfers, test doubles). The program never links it.
file(GLOB MDX_TESTSUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/testsupport/*.cpp)
add_library(mdx_testsupport STATIC ${MDX_TESTSUPPORT_SOURCES})
target_compile_options(mdx_testsupport PRIVATE -Wall -Wextra)
target_link_libraries(mdx_testsupport PUBLIC mdx_display mdx_nettime mdx_settings mdx_worldtime mdx_raster mdx_platform)

# Everything a native test or tool may call.
add_library(mdx_native_all INTERFACE)
target_link_libraries(mdx_native_all INTERFACE mdx_testsupport mdx_app)

enable_testing()
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
include(GoogleTest)

file(GLOB MDX_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*_test.cpp)
add_executable(unit_tests ${MDX_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE mdx_native_all GTest::gtest GTest::gtest_main Threads::Threads)
target_compile_definitions(unit_tests PRIVATE MDX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES LABELS unit)

# No product folder includes a header of a layer above it; the check itself is tested on
# small trees that break the rule.
add_test(NAME layers.check COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-layers.sh ${CMAKE_SOURCE_DIR})
add_test(NAME layers.check_finds_violations
  COMMAND ${CMAKE_SOURCE_DIR}/tests/layers/check_layers_test.sh ${CMAKE_SOURCE_DIR}/scripts/check-layers.sh
          ${CMAKE_SOURCE_DIR}/README.md)
set_tests_properties(layers.check layers.check_finds_violations PROPERTIES LABELS unit)

# The committed city table is the city generator's output from the installed tzdata and CLDR.
add_test(NAME tools.citygen COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/tools/citygen_test.py ${CMAKE_SOURCE_DIR})
# The scripts that make the committed data (font, cities) into C++.
add_test(NAME tools.table_scripts COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/tools/table_scripts_test.py ${CMAKE_SOURCE_DIR})
set_tests_properties(tools.citygen tools.table_scripts PROPERTIES LABELS unit)

# Tests that talk to real peers on loopback (servers started by the tests).
file(GLOB MDX_LOOPBACK_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/loopback/*_test.cpp)
if(MDX_LOOPBACK_TESTS)
  add_executable(loopback_tests ${MDX_LOOPBACK_TESTS})
  target_link_libraries(loopback_tests PRIVATE mdx_native_all GTest::gtest GTest::gtest_main Threads::Threads)
  target_compile_definitions(loopback_tests PRIVATE MDX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(loopback_tests DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES LABELS loopback RUN_SERIAL TRUE)
endif()

find_package(benchmark QUIET)
file(GLOB MDX_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
if(benchmark_FOUND AND MDX_BENCHES)
  add_executable(benchmarks ${MDX_BENCHES})
  target_link_libraries(benchmarks PRIVATE mdx_native_all benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(benchmarks PRIVATE MDX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()

# Native tools (each tools/<name>/main.cpp becomes tools executable <name>).
file(GLOB MDX_TOOL_MAINS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*/main.cpp)
foreach(main IN LISTS MDX_TOOL_MAINS)
  get_filename_component(_dir ${main} DIRECTORY)
  get_filename_component(_name ${_dir} NAME)
  file(GLOB _tool_src CONFIGURE_DEPENDS ${_dir}/*.cpp)
  add_executable(${_name} ${_tool_src})
  target_link_libraries(${_name} PRIVATE mdx_native_all)
  target_compile_definitions(${_name} PRIVATE MDX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endforeach()
