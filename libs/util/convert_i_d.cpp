#include "libs/util/convert_i_d.h"

#include <cmath>
#include <cstdint>

#if defined(_WIN32) && defined(MDX_BUILDING_MDXUTIL_DLL)
#define MDX_UTIL_EXPORT __declspec(dllexport)
#else
#define MDX_UTIL_EXPORT
#endif

extern "C" MDX_UTIL_EXPORT int32_t ConvertI_D(double value) {
  if (std::isnan(value)) return 0;
  const double magnitude = std::fabs(value);
  // The digit after the units position decides: a fractional part of one half or more
  // rounds the magnitude up. Both the floor and the comparison are exact in binary.
  const double whole = std::floor(magnitude);
  double rounded = whole + ((magnitude - whole) >= 0.5 ? 1.0 : 0.0);
  if (value < 0) rounded = -rounded;
  if (rounded >= 2147483647.0) return INT32_MAX;
  if (rounded <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(rounded);
}
