# Turns the city list (settings_ui/generated/city_table.tsv, written by
# tools/citygen/citygen.py) into the table settings_ui/city_table.h declares.
#   cmake -DIN=<city_table.tsv> -DOUT=<city_table.cpp> -P city_table.cmake
# A city a line, seven columns separated by tabs (the generator keeps quotes, backslashes,
# semicolons and brackets out of them); lines starting with # are comments.
cmake_minimum_required(VERSION 3.20)
file(STRINGS "${IN}" lines ENCODING UTF-8)
set(rows "")
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  string(REPLACE "\t" ";" columns "${line}")
  list(LENGTH columns count)
  if(NOT count EQUAL 7)
    message(FATAL_ERROR "${IN}: a city has seven columns: ${line}")
  endif()
  list(GET columns 0 name)
  list(GET columns 1 country)
  list(GET columns 2 english)
  list(GET columns 3 latitude)
  list(GET columns 4 longitude)
  list(GET columns 5 windowsZone)
  list(GET columns 6 ianaZone)
  if(NOT latitude MATCHES "^-?[0-9]+\\.[0-9]+$" OR NOT longitude MATCHES "^-?[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "${IN}: a city's latitude and longitude are decimal numbers: ${line}")
  endif()
  string(APPEND rows "    {\"${name}\", \"${country}\", \"${english}\", ${latitude}, ${longitude}, \"${windowsZone}\", \"${ianaZone}\"},\n")
endforeach()

file(WRITE "${OUT}" "// Made by cmake/city_table.cmake from settings_ui/generated/city_table.tsv.
#include \"settings_ui/city_table.h\"

namespace mdx {

const CityRow kCityTable[] = {
${rows}};

const size_t kCityCount = sizeof(kCityTable) / sizeof(kCityTable[0]);

}  // namespace mdx
")
