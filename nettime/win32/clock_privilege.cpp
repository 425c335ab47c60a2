#include "nettime/win32/clock_privilege.h"

#include <windows.h>

#include <vector>

namespace mdx::win {

bool processHoldsSystemtimePrivilege() {
  LUID wanted;
  if (!LookupPrivilegeValueW(nullptr, SE_SYSTEMTIME_NAME, &wanted)) return false;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  bool held = false;
  DWORD size = 0;
  GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (size >= sizeof(TOKEN_PRIVILEGES) &&
      GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
    const auto* list = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
    for (DWORD i = 0; i < list->PrivilegeCount; ++i) {
      const LUID& luid = list->Privileges[i].Luid;
      if (luid.LowPart == wanted.LowPart && luid.HighPart == wanted.HighPart) held = true;
    }
  }
  CloseHandle(token);
  return held;
}

}  // namespace mdx::win
