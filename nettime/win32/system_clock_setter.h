#pragma once
// Sets the PC clock with SetLocalTime: the clock setter of the time-server dialog.
#include "nettime/sntp_client.h"

namespace mdx::win {

class SystemClockSetter final : public LocalClockSetter {
 public:
  // Local civil time with milliseconds; the day of the week is left to the system. No extra
  // privilege is asked for: without the right to set the time the call fails and false returns.
  bool setLocalTime(const CivilTime& local) override;
};

}  // namespace mdx::win
