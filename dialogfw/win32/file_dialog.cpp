#include "dialogfw/win32/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/system_function.h"
#include "platform/win32/text.h"

namespace mdx::win {

std::optional<std::string> browseForFile(HWND owner, const char* barFilter) {
  // The platform wants NUL separators and a double NUL at the end, which the trailing "||"
  // becomes.
  std::wstring filter = widen(barFilter);
  for (wchar_t& ch : filter)
    if (ch == L'|') ch = L'\0';
  std::vector<wchar_t> file(32768, L'\0');  // room for long paths

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.Flags = OFN_HIDEREADONLY;
  static const auto getOpenFileName =
      systemFunction<BOOL(WINAPI*)(LPOPENFILENAMEW)>(L"comdlg32.dll", "GetOpenFileNameW");
  if (getOpenFileName == nullptr || !getOpenFileName(&ofn)) return std::nullopt;
  return narrow(file.data());
}

}  // namespace mdx::win
