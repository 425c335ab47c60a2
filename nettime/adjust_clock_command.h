#pragma once
// The command line of the one-shot clock helper: `meridexa.exe /adjust-clock <milliseconds>`,
// which the time-server dialog starts elevated to move the clock by a measured offset. The
// helper does nothing else, so its input is read strictly: an optional sign and decimal digits,
// within 100 Gregorian years either way, as the only argument after the switch.
#include <cstdint>
#include <string>
#include <vector>

namespace mdx {

inline constexpr const char kAdjustClockSwitch[] = "/adjust-clock";
// 100 years of 365.2425 days, in milliseconds.
inline constexpr int64_t kMaxAdjustMillis = 3155695200000LL;

struct AdjustClockCommand {
  bool isOneShot = false;  // the first argument is the switch: run the helper, not the program
  bool valid = false;      // the offset was read (when isOneShot)
  int64_t offsetMillis = 0;
};

// `args`: the arguments after the program's name. Anything that does not start with the switch
// is the program's ordinary start.
AdjustClockCommand parseAdjustClockCommand(const std::vector<std::string>& args);

// The parameters the dialog hands to the helper: "/adjust-clock -1234".
std::string adjustClockParameters(int64_t offsetMillis);

}  // namespace mdx
