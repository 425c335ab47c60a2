# Windows build: the program, its three companion libraries and the end-to-end test driver.
enable_testing()
enable_language(RC)

# No link time in the PE headers, so the same sources always link to the same bytes.
set(MDX_WIN_LINK_FLAGS -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# A companion library: its sources, its .def file (undecorated exports) and its resources.
function(mdx_companion_dll name dir)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/win32/*.cpp)
  file(GLOB _rc CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.rc)
  add_library(${name} SHARED ${_src} ${_rc} ${CMAKE_SOURCE_DIR}/${dir}/${name}.def)
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name} IMPORT_PREFIX "lib" IMPORT_SUFFIX ".dll.a")
  # The resource scripts embed data files; rebuild when those change.
  file(GLOB _data CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/bitmaps/*.bmp ${CMAKE_SOURCE_DIR}/${dir}/*.wav)
  if(_rc AND _data)
    set_source_files_properties(${_rc} PROPERTIES OBJECT_DEPENDS "${_data}")
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_options(${name} PRIVATE ${MDX_WIN_LINK_FLAGS})
  target_link_libraries(${name} PRIVATE user32 winmm)
  string(TOUPPER ${name} _upper)
  target_compile_definitions(${name} PRIVATE MDX_BUILDING_${_upper}_DLL)
endfunction()

mdx_companion_dll(mdxutil libs/util)
mdx_companion_dll(mdxsound libs/sound)
mdx_companion_dll(mdxgraph libs/graphics)

# The Windows libraries each folder's binding calls, so that they follow it on the link line.
target_link_libraries(mdx_platform PUBLIC ws2_32 user32 kernel32)
target_link_libraries(mdx_settings PUBLIC advapi32)
target_link_libraries(mdx_dialogfw PUBLIC comctl32 gdi32 user32 oleacc ole32 uuid)
target_link_libraries(mdx_display PUBLIC gdi32 user32)
target_link_libraries(mdx_actions PUBLIC mdxsound winmm shell32 ole32 advapi32 user32)
target_link_libraries(mdx_nettime PUBLIC ws2_32 user32 shell32 ole32 advapi32)
target_link_libraries(mdx_settings_ui PUBLIC comctl32 gdi32 user32)

# The program: the application's Windows shell over the folder libraries, and the resources.
file(GLOB MDX_SHELL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/win32/*.cpp)
add_executable(meridexa WIN32 ${MDX_SHELL_SOURCES} ${CMAKE_SOURCE_DIR}/resources/meridexa.rc)
target_include_directories(meridexa PRIVATE ${CMAKE_SOURCE_DIR})
# meridexa.rc includes the dialogs' fragments, their id headers, the icons and the manifest.
file(GLOB MDX_RC_INPUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/*.h
  ${CMAKE_SOURCE_DIR}/resources/icons/*.ico ${CMAKE_SOURCE_DIR}/resources/*.manifest)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/meridexa.rc PROPERTIES OBJECT_DEPENDS "${MDX_RC_INPUTS}")
target_link_options(meridexa PRIVATE -municode ${MDX_WIN_LINK_FLAGS})
target_link_libraries(meridexa PRIVATE mdx_app mdxutil mdxsound mdxgraph
  comctl32 gdi32 user32 shell32 advapi32 winmm ws2_32 ole32 uuid)

# The help page travels next to the program.
add_custom_command(TARGET meridexa POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/help/meridexa.html $<TARGET_FILE_DIR:meridexa>/meridexa.html)

# End-to-end tests: a Windows driver program run under Wine next to the real meridexa.exe.
# It converts texts as the program does (platform/win32/text.cpp) and places cities with the
# map's projection and the city table.
file(GLOB MDX_DRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
add_executable(mdxdriver ${MDX_DRIVER_SOURCES} ${CMAKE_SOURCE_DIR}/platform/win32/text.cpp
  ${CMAKE_SOURCE_DIR}/display/map_projection.cpp ${MDX_CITY_TABLE})
target_include_directories(mdxdriver PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(mdxdriver PRIVATE -municode ${MDX_WIN_LINK_FLAGS})
target_link_libraries(mdxdriver PRIVATE user32 gdi32 advapi32 comctl32 shell32 ole32 oleaut32 oleacc uuid)

include(${CMAKE_SOURCE_DIR}/tests/e2e/scenarios.cmake)
foreach(scenario IN LISTS MDX_E2E_SCENARIOS)
  add_test(NAME e2e.${scenario}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/run_e2e.sh ${scenario} ${CMAKE_BINARY_DIR})
  set_tests_properties(e2e.${scenario} PROPERTIES LABELS e2e TIMEOUT 240)
endforeach()
# The soak runs alone: at 400 times the speed a simulated minute lasts 150 ms, and a scenario
# beside it on two cores can stall the program for that long.
set_tests_properties(e2e.soak.one_day PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE)
foreach(scenario IN LISTS MDX_E2E_SOAK_SCENARIOS)
  add_test(NAME e2e.${scenario}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/run_e2e.sh ${scenario} ${CMAKE_BINARY_DIR})
  set_tests_properties(e2e.${scenario} PROPERTIES LABELS soak TIMEOUT 1200)
endforeach()

# Test-only libraries the driver loads into the program's process (tests/e2e/probe): each is
# built beside the driver, without the "lib" prefix, from its sources and the Windows libraries
# it calls.
#   mdx_probe(<name> SOURCES <file>... [LIBS <library>...])
function(mdx_probe name)
  cmake_parse_arguments(_probe "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} SHARED ${_probe_SOURCES})
  set_target_properties(${name} PROPERTIES PREFIX "")
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_options(${name} PRIVATE ${MDX_WIN_LINK_FLAGS})
  target_link_libraries(${name} PRIVATE ${_probe_LIBS})
  add_dependencies(mdxdriver ${name})
endfunction()

# Test-only library the driver loads into the program's process to read its open popup menu.
mdx_probe(mdxprobe SOURCES ${CMAKE_SOURCE_DIR}/tests/e2e/probe/menu_probe.cpp
  ${CMAKE_SOURCE_DIR}/platform/win32/text.cpp LIBS user32)

# Test-only library that records the program's Beep calls.
mdx_probe(mdxbeepprobe SOURCES ${CMAKE_SOURCE_DIR}/tests/e2e/probe/beep_probe.cpp)

# Test-only library that stands in for ExitWindowsEx: records each request, never ends anything.
mdx_probe(mdxexitprobe SOURCES ${CMAKE_SOURCE_DIR}/tests/e2e/probe/exit_probe.cpp LIBS advapi32)

# Test-only library that records the program's ShowWindow commands.
mdx_probe(mdxshowprobe SOURCES ${CMAKE_SOURCE_DIR}/tests/e2e/probe/show_window_probe.cpp)

# Test-only library that gives the program Windows' rule on who may set the foreground window.
mdx_probe(mdxforegroundprobe SOURCES ${CMAKE_SOURCE_DIR}/tests/e2e/probe/foreground_probe.cpp LIBS user32)

# Test-only library that records the names the program gives controls for screen readers.
mdx_probe(mdxaccprobe SOURCES ${CMAKE_SOURCE_DIR}/tests/e2e/probe/acc_names_probe.cpp LIBS user32 ole32 uuid)

# Test-only library that records program starts and answers for a program that needs elevation.
mdx_probe(mdxlaunchprobe SOURCES ${CMAKE_SOURCE_DIR}/tests/e2e/probe/launch_probe.cpp
  ${CMAKE_SOURCE_DIR}/platform/win32/text.cpp LIBS shell32)

# Test-only library that sends the main window WM_DPICHANGED as Windows does.
mdx_probe(mdxdpiprobe SOURCES ${CMAKE_SOURCE_DIR}/tests/e2e/probe/dpi_change_probe.cpp LIBS user32)

# Test-only library that records titles, sounds, launches and resource counts for the soak.
mdx_probe(mdxsoakprobe SOURCES ${CMAKE_SOURCE_DIR}/tests/e2e/probe/soak_probe.cpp LIBS user32 psapi)

# Test-only library that gives the program an ordinary Windows user's clock and token rules and
# answers the UAC prompt.
mdx_probe(mdxclockprobe SOURCES ${CMAKE_SOURCE_DIR}/tests/e2e/probe/clock_probe.cpp LIBS advapi32 shell32)

include(${CMAKE_SOURCE_DIR}/packaging/packaging.cmake)

# make cost: starts the program for the idle-cost measurement and times its start.
add_executable(mdxcost ${CMAKE_SOURCE_DIR}/bench/cost/cost_launch.cpp ${CMAKE_SOURCE_DIR}/tests/e2e/driver/harness.cpp
  ${CMAKE_SOURCE_DIR}/platform/win32/text.cpp)
target_include_directories(mdxcost PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(mdxcost PRIVATE -municode ${MDX_WIN_LINK_FLAGS})
target_link_libraries(mdxcost PRIVATE user32 gdi32 advapi32 comctl32)
