#pragma once
// A module's title as message boxes show it: its file name without the directory and the
// extension. Header-only, so that the companion libraries use the same rule as the program.
#include <windows.h>

#include <iterator>
#include <string>

namespace mdx::win {

inline std::wstring moduleTitle(HMODULE module) {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(module, path, static_cast<DWORD>(std::size(path)));
  std::wstring name(path);
  const size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  const size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace mdx::win
