#include "dialogfw/win32/app_title.h"

#include <windows.h>

#include "platform/win32/module_title.h"
#include "platform/win32/text.h"

namespace mdx::win {

std::string appTitle() { return narrow(moduleTitle(nullptr)); }

}  // namespace mdx::win
