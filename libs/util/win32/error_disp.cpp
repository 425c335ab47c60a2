// mdxutil.dll's message box for numeric error codes. Its caption is the library's own name.
#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) void ErrorDisp(int code) {
  if (code == 100) {
    // The box asks for no icon of its own; the exclamation mark is what it shows.
    MessageBoxW(nullptr, L"AUDIO DEVICE が他で使用中です", L"mdxutil", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const std::wstring text = L"Error No=" + std::to_wstring(code);
  MessageBoxW(nullptr, text.c_str(), L"mdxutil", MB_OK | MB_ICONHAND);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
