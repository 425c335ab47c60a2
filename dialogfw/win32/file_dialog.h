#pragma once
// The common file-open dialog for the dialogs' browse buttons.
#include <windows.h>

#include <optional>
#include <string>

namespace mdx::win {

// Asks for an existing file. `barFilter` lists description|pattern pairs separated by '|'
// and ends in "||". Returns the chosen path (UTF-8), or nothing when the user cancels.
std::optional<std::string> browseForFile(HWND owner, const char* barFilter);

}  // namespace mdx::win
