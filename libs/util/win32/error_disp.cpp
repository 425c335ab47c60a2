// mdxutil.dll's message box for numeric error codes. Its caption is the library's own title:
// its file name without the extension.
#include <windows.h>

#include <string>

namespace {

HINSTANCE gModule = nullptr;

std::wstring libraryTitle() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(gModule, path, static_cast<DWORD>(std::size(path)));
  std::wstring name(path);
  const size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  const size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot > 0) name.erase(dot);
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
