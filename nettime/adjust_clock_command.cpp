#include "nettime/adjust_clock_command.h"

namespace mdx {

namespace {

bool parseOffset(const std::string& text, int64_t& millis) {
  std::size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  if (pos == text.size()) return false;
  int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    if (value > kMaxAdjustMillis) return false;  // also keeps the next step from overflowing
  }
  millis = negative ? -value : value;
  return true;
}

}  // namespace

AdjustClockCommand parseAdjustClockCommand(const std::vector<std::string>& args) {
  AdjustClockCommand command;
  if (args.empty() || args[0] != kAdjustClockSwitch) return command;
  command.isOneShot = true;
  command.valid = args.size() == 2 && parseOffset(args[1], command.offsetMillis);
  if (!command.valid) command.offsetMillis = 0;
  return command;
}

std::string adjustClockParameters(int64_t offsetMillis) {
  return std::string(kAdjustClockSwitch) + " " + std::to_string(offsetMillis);
}

}  // namespace mdx
