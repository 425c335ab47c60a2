#include "dialogfw/win32/app_title.h"

#include <windows.h>

#include "platform/win32/text.h"

namespace mdx::win {

std::string appTitle() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring name(path);
  const size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  const size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot > 0) name.erase(dot);
  return narrow(name);
}

}  // namespace mdx::win
