#include "app/win32/single_instance.h"

#include <sddl.h>

#include <cstdint>

namespace mdx::win {

namespace {
constexpr wchar_t kMutexName[] = L"MERIDEXA";
// Per session, like the mutex: the handle of the running copy's main window, as 64 bits.
constexpr wchar_t kWindowSlotName[] = L"MERIDEXA.MainWindow";

HWND publishedMainWindow() {
  HANDLE slot = OpenFileMappingW(FILE_MAP_READ, FALSE, kWindowSlotName);
  if (!slot) return nullptr;
  HWND main = nullptr;
  if (const void* view = MapViewOfFile(slot, FILE_MAP_READ, 0, 0, sizeof(uint64_t))) {
    main = reinterpret_cast<HWND>(static_cast<uintptr_t>(*static_cast<const volatile uint64_t*>(view)));
    UnmapViewOfFile(view);
  }
  CloseHandle(slot);
  return main && IsWindow(main) ? main : nullptr;
}

// This copy was started by the user (or by the foreground process), so Windows lets it set
// the foreground window; the running copy, in the background, would be refused and only
// flash its taskbar button. ShowWindowAsync does not wait on the other copy's thread.
// While one of its dialogs is open the main window is disabled; the dialog comes forward.
void bringForward(HWND main) {
  if (IsIconic(main)) ShowWindowAsync(main, SW_RESTORE);
  SetForegroundWindow(GetLastActivePopup(main));
}
}  // namespace

bool becomeTheRunningCopy(HANDLE& mutex) {
  mutex = CreateMutexW(nullptr, FALSE, kMutexName);
  const DWORD error = GetLastError();
  // ERROR_ACCESS_DENIED: the mutex exists but was made by an elevated copy, whose default
  // security does not let this one open it.
  if (mutex && error != ERROR_ALREADY_EXISTS) return true;
  if (!mutex && error != ERROR_ACCESS_DENIED) return true;  // no mutex at all: run without one
  if (mutex) CloseHandle(mutex);
  mutex = nullptr;
  if (HWND main = publishedMainWindow()) bringForward(main);
  return false;
}

void publishMainWindow(HWND main) {
  // Readable by the session's other copies even when this one runs elevated (an elevated
  // token's default security would shut them out); writable by its owner only.
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, FALSE};
  ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;GA;;;OW)(A;;GA;;;SY)(A;;GR;;;IU)", SDDL_REVISION_1,
                                                       &security.lpSecurityDescriptor, nullptr);
  // Left open on purpose: the slot lives as long as this process.
  HANDLE slot = CreateFileMappingW(INVALID_HANDLE_VALUE, security.lpSecurityDescriptor ? &security : nullptr,
                                   PAGE_READWRITE, 0, sizeof(uint64_t), kWindowSlotName);
  if (security.lpSecurityDescriptor) LocalFree(security.lpSecurityDescriptor);
  if (!slot) return;
  if (void* view = MapViewOfFile(slot, FILE_MAP_WRITE, 0, 0, sizeof(uint64_t))) {
    *static_cast<volatile uint64_t*>(view) = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(main));
    UnmapViewOfFile(view);
  }
}

}  // namespace mdx::win
