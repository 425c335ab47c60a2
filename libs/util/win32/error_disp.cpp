// mdxutil.dll's message box for numeric error codes. Its caption is the library's own title:
// its file name without the extension.
#include <windows.h>

#include <string>

#include "platform/win32/module_title.h"

namespace {

HINSTANCE gModule = nullptr;

std::wstring libraryTitle() {
  const std::wstring name = mdx::win::moduleTitle(gModule);
  return name.empty() ? L"mdxutil" : name;
}

}  // namespace

extern "C" __declspec(dllexport) void ErrorDisp(int code) {
  const std::wstring caption = libraryTitle();
  if (code == 100) {
    // The box asks for no icon of its own; the exclamation mark is what it shows.
    MessageBoxW(nullptr, L"AUDIO DEVICE が他で使用中です", caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const std::wstring text = L"Error No=" + std::to_wstring(code);
  MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONHAND);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) gModule = instance;
  return TRUE;
}
