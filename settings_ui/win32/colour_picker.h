#pragma once
// The platform's colour picker, shared by the AREA pages and the options dialog.
#include <windows.h>

#include <optional>

#include "raster/surface.h"  // Rgb

namespace mdx::win {

// Runs the colour picker modally from `start`; the chosen colour, or nothing when cancelled.
std::optional<Rgb> pickColour(HWND owner, Rgb start);

}  // namespace mdx::win
