#pragma once
// The program's title for message boxes: the executable's base name, as the program is named.
#include <string>

namespace mdx::win {

// Base name of the running executable without directory and extension, e.g. "meridexa".
std::string appTitle();

}  // namespace mdx::win
