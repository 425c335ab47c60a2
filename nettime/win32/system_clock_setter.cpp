#include "nettime/win32/system_clock_setter.h"

#include <windows.h>

namespace mdx::win {

bool SystemClockSetter::setLocalTime(const CivilTime& local) {
  if (local.year < 1601 || local.year > 30827) return false;  // outside what SYSTEMTIME holds
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(local.year);
  st.wMonth = static_cast<WORD>(local.month);
  st.wDayOfWeek = 0;  // ignored when setting the clock
  st.wDay = static_cast<WORD>(local.day);
  st.wHour = static_cast<WORD>(local.hour);
  st.wMinute = static_cast<WORD>(local.minute);
  st.wSecond = static_cast<WORD>(local.second);
  st.wMilliseconds = static_cast<WORD>(local.millisecond);
  return SetLocalTime(&st) != FALSE;
}

}  // namespace mdx::win
