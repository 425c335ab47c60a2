#include "worldtime/win32/windows_zone_rules.h"

#include <cwchar>
#include <iterator>
#include <vector>

#include "platform/win32/system_function.h"
#include "platform/win32/text.h"

namespace mdx::win {

namespace {

constexpr wchar_t kZonesKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\";
// FILETIME counts 100 ns from 1601-01-01, 11644473600 s before the epoch.
constexpr int64_t kEpochIn100ns = 116444736000000000LL;
constexpr int64_t kTicksPerSecond = 10000000LL;

// The zone's display name in the user's language ("MUI_Display" from tzres.dll), else the
// plain "Display" text, else the key name itself.
std::string displayName(const std::wstring& key) {
  const std::wstring path = kZonesKey + key;
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return narrow(key);
  std::wstring name;
  wchar_t buf[256] = {};
  if (RegLoadMUIStringW(h, L"MUI_Display", buf, sizeof buf, nullptr, 0, nullptr) == ERROR_SUCCESS && buf[0] != 0) {
    name = buf;
  } else {
    DWORD size = sizeof buf, type = 0;
    if (RegQueryValueExW(h, L"Display", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
      buf[std::size(buf) - 1] = 0;
      name = buf;
    }
  }
  RegCloseKey(h);
  return name.empty() ? narrow(key) : narrow(name);
}

bool toSystemTime(int64_t utcSeconds, SYSTEMTIME& st) {
  // SYSTEMTIME covers the years 1601 to 30827.
  if (utcSeconds < -11644473600LL || utcSeconds > 910692730085LL) return false;
  const int64_t ticks = utcSeconds * kTicksPerSecond + kEpochIn100ns;
  const FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  return FileTimeToSystemTime(&ft, &st) != 0;
}

// Looked up at run time: older Windows versions and Wine lack some of them.
using EnumZonesFn = DWORD(WINAPI*)(DWORD, PDYNAMIC_TIME_ZONE_INFORMATION);
using ToLocalExFn = BOOL(WINAPI*)(const DYNAMIC_TIME_ZONE_INFORMATION*, const SYSTEMTIME*, LPSYSTEMTIME);
using ForYearFn = BOOL(WINAPI*)(USHORT, PDYNAMIC_TIME_ZONE_INFORMATION, LPTIME_ZONE_INFORMATION);

// The zone's standard record, the rules without a year.
TIME_ZONE_INFORMATION plainRecord(const DYNAMIC_TIME_ZONE_INFORMATION& d) {
  TIME_ZONE_INFORMATION t{};
  t.Bias = d.Bias;
  t.StandardBias = d.StandardBias;
  t.DaylightBias = d.DaylightBias;
  t.StandardDate = d.StandardDate;
  t.DaylightDate = d.DaylightDate;
  wcsncpy(t.StandardName, d.StandardName, std::size(t.StandardName) - 1);
  wcsncpy(t.DaylightName, d.DaylightName, std::size(t.DaylightName) - 1);
  return t;
}

// The zone's wall-clock time for a UTC time under the rules of that year.
bool zoneLocalTime(const DYNAMIC_TIME_ZONE_INFORMATION& zone, const SYSTEMTIME& utc, SYSTEMTIME& local) {
  static const auto toLocalEx = systemFunction<ToLocalExFn>(L"kernel32.dll", "SystemTimeToTzSpecificLocalTimeEx");
  static const auto forYear = systemFunction<ForYearFn>(L"kernel32.dll", "GetTimeZoneInformationForYear");
  DYNAMIC_TIME_ZONE_INFORMATION d = zone;
  if (toLocalEx != nullptr) return toLocalEx(&d, &utc, &local) != 0;
  TIME_ZONE_INFORMATION t{};
  if (forYear == nullptr || !forYear(utc.wYear, &d, &t)) t = plainRecord(zone);
  return SystemTimeToTzSpecificLocalTime(&t, &utc, &local) != 0;
}

int64_t ticksOf(const SYSTEMTIME& st, bool& ok) {
  FILETIME ft;
  ok = SystemTimeToFileTime(&st, &ft) != 0;
  return (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

}  // namespace

bool WindowsZoneRules::enumerateUntil(const std::string& keyName) const {
  if (!keyName.empty() && byKey_.count(keyName) != 0) return true;
  static const auto enumZones = systemFunction<EnumZonesFn>(L"advapi32.dll", "EnumDynamicTimeZoneInformation");
  if (enumZones == nullptr) exhausted_ = true;  // no zone list: every AREA follows RUG
  DYNAMIC_TIME_ZONE_INFORMATION info;
  while (!exhausted_) {
    ZeroMemory(&info, sizeof info);
    if (enumZones(nextIndex_++, &info) != ERROR_SUCCESS) {
      exhausted_ = true;
      break;
    }
    if (info.TimeZoneKeyName[0] == 0) continue;
    const std::string key = narrow(info.TimeZoneKeyName);
    if (byKey_.emplace(key, info).second && key == keyName) return true;
  }
  return !keyName.empty() && byKey_.count(keyName) != 0;
}

std::vector<ZoneEntry> WindowsZoneRules::zones() const {
  if (entries_.empty()) {
    enumerateUntil("");
    for (const auto& [key, info] : byKey_)
      entries_.push_back(ZoneEntry{key, displayName(info.TimeZoneKeyName),
                                   static_cast<int32_t>(-(info.Bias + info.StandardBias))});
    sortZoneEntries(entries_);
  }
  return entries_;
}

std::optional<int32_t> WindowsZoneRules::offsetMinutes(const std::string& keyName, int64_t utcSeconds) const {
  if (!enumerateUntil(keyName)) return std::nullopt;
  const auto it = byKey_.find(keyName);
  SYSTEMTIME utc, local;
  if (!toSystemTime(utcSeconds, utc)) return -(it->second.Bias + it->second.StandardBias);
  const DYNAMIC_TIME_ZONE_INFORMATION& info = it->second;
  if (!zoneLocalTime(info, utc, local)) return -(info.Bias + info.StandardBias);
  bool okUtc = false, okLocal = false;
  const int64_t diff = ticksOf(local, okLocal) - ticksOf(utc, okUtc);
  if (!okUtc || !okLocal) return -(info.Bias + info.StandardBias);
  return static_cast<int32_t>(diff / (60 * kTicksPerSecond));
}

const ZoneRules& windowsZoneRules() {
  static const WindowsZoneRules rules;
  return rules;
}

}  // namespace mdx::win
