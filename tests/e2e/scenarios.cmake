# End-to-end scenarios run by CTest, one Wine prefix each (see tests/e2e/run_e2e.sh). The names
# are the ones the driver registers (`Register rN("<name>", ...)` in tests/e2e/driver/*.cpp), read
# from there so that they are written once; cmake reads them again when a driver source changes.
file(GLOB _mdx_driver_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_mdx_driver_sources})
set(MDX_E2E_SCENARIOS)
foreach(_source IN LISTS _mdx_driver_sources)
  file(STRINGS ${_source} _registrations REGEX "^Register [A-Za-z0-9_]+\\(\"[a-z0-9_.]+\"")
  foreach(_line IN LISTS _registrations)
    string(REGEX REPLACE "^Register [A-Za-z0-9_]+\\(\"([a-z0-9_.]+)\".*" "\\1" _name "${_line}")
    list(APPEND MDX_E2E_SCENARIOS ${_name})
  endforeach()
endforeach()
# Behind `make soak`: three simulated days.
set(MDX_E2E_SOAK_SCENARIOS
  soak.three_days
)
list(REMOVE_ITEM MDX_E2E_SCENARIOS ${MDX_E2E_SOAK_SCENARIOS})
