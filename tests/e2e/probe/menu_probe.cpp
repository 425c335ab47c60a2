// mdxprobe.dll: loaded by the test driver into meridexa.exe's process, it writes the items of
// the open popup menu (with their submenus) to C:\menu-probe.txt. Menus belong to their
// process under Wine, so only code inside the program's process can read them.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/text.h"

namespace {

using mdx::win::narrow;

// One line per item: depth, text, command id, greyed, separator.
void dump(FILE* f, HMENU menu, int depth) {
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    mi.dwTypeData = text;
    mi.cch = 255;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi);
    std::fprintf(f, "%d\t%s\t%u\t%d\t%d\n", depth, narrow(text).c_str(), mi.wID, (mi.fState & MFS_GRAYED) ? 1 : 0,
                 (mi.fType & MFT_SEPARATOR) ? 1 : 0);
    if (mi.hSubMenu) dump(f, mi.hSubMenu, depth + 1);
  }
}

DWORD WINAPI probe(LPVOID) {
  HWND popup = FindWindowW(L"#32768", nullptr);
  HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)) : nullptr;
  FILE* f = _wfopen(L"C:\\menu-probe.tmp", L"wb");
  if (f) {
    if (menu) dump(f, menu, 0);
    std::fclose(f);
    MoveFileExW(L"C:\\menu-probe.tmp", L"C:\\menu-probe.txt", MOVEFILE_REPLACE_EXISTING);
  }
  return 0;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    // Work outside the loader lock, on a thread of its own.
    HANDLE t = CreateThread(nullptr, 0, probe, nullptr, 0, nullptr);
    if (t) CloseHandle(t);
  }
  return TRUE;
}
