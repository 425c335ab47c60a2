# Turns the 12-dot font's glyph list (raster/generated/font12.txt, written by
# tools/fontconv/fontconv.py) into the tables raster/font12_data.h declares.
#   cmake -DIN=<font12.txt> -DOUT=<font12_data.cpp> -P font_table.cmake
# A line is "half|full <code point> <12 rows>": two hexadecimal digits a half-width row,
# three a full-width one, so that a full-width glyph's digits read in a row are its 18 packed
# bytes. Lines starting with # are comments; any other line stops the build.
cmake_minimum_required(VERSION 3.20)
file(STRINGS "${IN}" lines ENCODING UTF-8)
set(half_count 0)
set(full_count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES "^(half|full) ([0-9A-F]+) ([0-9A-F ]+)$")
    message(FATAL_ERROR "${IN}: not a glyph: ${line}")
  endif()
  set(kind ${CMAKE_MATCH_1})
  set(code ${CMAKE_MATCH_2})
  string(LENGTH "${CMAKE_MATCH_3}" length)
  string(REPLACE " " "" digits "${CMAKE_MATCH_3}")
  string(LENGTH "${digits}" digitCount)
  # 12 rows of two (half) or three (full) digits, one blank between rows.
  if(kind STREQUAL "half")
    set(rowDigits 2)
  else()
    set(rowDigits 3)
  endif()
  math(EXPR wantDigits "12 * ${rowDigits}")
  math(EXPR wantLength "${wantDigits} + 11")
  if(NOT digitCount EQUAL wantDigits OR NOT length EQUAL wantLength)
    message(FATAL_ERROR "${IN}: a ${kind}-width glyph has 12 rows of ${rowDigits} digits: ${line}")
  endif()
  string(REGEX REPLACE "([0-9A-F][0-9A-F])" "0x\\1," bytes "${digits}")
  string(APPEND ${kind}_codes "    0x${code},\n")
  string(APPEND ${kind}_bits "    ${bytes}\n")
  math(EXPR ${kind}_count "${${kind}_count} + 1")
endforeach()

file(WRITE "${OUT}" "// Made by cmake/font_table.cmake from raster/generated/font12.txt.
#include \"raster/font12_data.h\"

namespace mdx {
namespace font12 {

const std::size_t kHalfCount = ${half_count};
const uint16_t kHalfCodes[] = {
${half_codes}};
const uint8_t kHalfBits[] = {
${half_bits}};

const std::size_t kFullCount = ${full_count};
const uint16_t kFullCodes[] = {
${full_codes}};
const uint8_t kFullBits[] = {
${full_bits}};

}  // namespace font12
}  // namespace mdx
")
