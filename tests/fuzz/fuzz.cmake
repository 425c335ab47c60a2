# libFuzzer targets over the portable core (configured with MDX_FUZZ=ON and clang, see
# cmake/sanitizers.cmake). Each tests/fuzz/fuzz_<name>.cpp becomes the executable fuzz_<name>
# and the CTest test fuzz.<name>, which replays the committed seeds of corpus/<name> and then
# fuzzes for a short budget; `make fuzz` runs the same executables for minutes each.
# The targets link what the native tests link; in a fuzz build only they are built
# (`make fuzz-build` names them).

set(MDX_FUZZ_SMOKE_SECONDS 7 CACHE STRING "Seconds of fuzzing per target in the CTest run")
set(MDX_FUZZ_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz)

file(GLOB MDX_FUZZ_TARGETS CONFIGURE_DEPENDS ${MDX_FUZZ_DIR}/fuzz_*.cpp)
foreach(src IN LISTS MDX_FUZZ_TARGETS)
  get_filename_component(_exe ${src} NAME_WE)
  string(REGEX REPLACE "^fuzz_" "" _name ${_exe})
  add_executable(${_exe} ${src})
  target_link_libraries(${_exe} PRIVATE mdx_native_all)
  target_link_options(${_exe} PRIVATE -fsanitize=fuzzer)
  target_compile_definitions(${_exe} PRIVATE MDX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME fuzz.${_name}
           COMMAND ${MDX_FUZZ_DIR}/run_target.sh $<TARGET_FILE:${_exe}> ${MDX_FUZZ_DIR}/corpus/${_name}
                   ${CMAKE_BINARY_DIR}/fuzz-work/${_name} ${MDX_FUZZ_SMOKE_SECONDS} fresh)
  set_tests_properties(fuzz.${_name} PROPERTIES LABELS fuzz TIMEOUT 120)
endforeach()
