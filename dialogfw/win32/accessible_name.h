#pragma once
// Names a control for screen readers where its own text does not say enough (a button "都市…"
// in a row of seven): the name is kept with the window by Windows' accessibility services.
#include <windows.h>

#include <string>

namespace mdx::win {

// Gives `control` the accessible name `utf8`; nothing happens where the services are missing.
void setAccessibleName(HWND control, const std::string& utf8);

}  // namespace mdx::win
