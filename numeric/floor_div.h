#pragma once
// Integer division rounded toward minus infinity, and the remainder that goes with it (the
// sign of the divisor), for operands of any sign: the built-in / and % round toward zero.
// Calendar, clock-hand and stretch arithmetic all need the floor on negative values.
#include <cstdint>

namespace mdx {

template <typename Int>
constexpr Int floorDivide(Int a, Int b) {
  return a / b - static_cast<Int>((a % b != 0) && ((a < 0) != (b < 0)));
}

inline constexpr int64_t floorDiv(int64_t a, int64_t b) { return floorDivide(a, b); }
inline constexpr int64_t floorMod(int64_t a, int64_t b) { return a - floorDiv(a, b) * b; }

}  // namespace mdx
