#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nettime/adjust_clock_command.h"

namespace mdx {
namespace {

using Args = std::vector<std::string>;

TEST(AdjustClockCommand, OrdinaryStartsAreNotTheHelper) {
  for (const Args& args : {Args{}, Args{"foo"}, Args{"/ADJUST-CLOCK", "5"}, Args{"x", "/adjust-clock", "5"}})
    EXPECT_FALSE(parseAdjustClockCommand(args).isOneShot) << args.size();
}

TEST(AdjustClockCommand, ReadsOneStrictOffsetWithinAHundredYears) {
  const std::string max = std::to_string(kMaxAdjustMillis);
  const std::string overMax = std::to_string(kMaxAdjustMillis + 1);
  const std::pair<std::string, int64_t> good[] = {
      {"0", 0}, {"-0", 0}, {"+17", 17}, {"-3600000", -3600000}, {"0003", 3},
      {max, kMaxAdjustMillis}, {"-" + max, -kMaxAdjustMillis},
  };
  for (const auto& [text, millis] : good) {
    const AdjustClockCommand c = parseAdjustClockCommand({kAdjustClockSwitch, text});
    EXPECT_TRUE(c.isOneShot && c.valid) << text;
    EXPECT_EQ(c.offsetMillis, millis) << text;
  }
  const std::string bad[] = {"", "-", "+", "--1", "+-1", " 1", "1 ", "1x", "0x10", "1.5", "1e3", "１",
                             overMax, "-" + overMax, "99999999999999999999999999"};
  for (const std::string& text : bad) {
    const AdjustClockCommand c = parseAdjustClockCommand({kAdjustClockSwitch, text});
    EXPECT_TRUE(c.isOneShot) << text;
    EXPECT_FALSE(c.valid) << text;
  }
  for (const Args& args : {Args{kAdjustClockSwitch}, Args{kAdjustClockSwitch, "1", "2"}, Args{kAdjustClockSwitch, "1", ""}}) {
    const AdjustClockCommand c = parseAdjustClockCommand(args);
    EXPECT_TRUE(c.isOneShot && !c.valid) << args.size();
  }
  EXPECT_EQ(kMaxAdjustMillis, 3652425LL * 86400000LL / 100);  // 100 years of 365.2425 days
}

TEST(AdjustClockCommand, ParametersReadBackToTheSameOffset) {
  for (int64_t millis : {int64_t{0}, int64_t{-1234}, kMaxAdjustMillis}) {
    const std::string params = adjustClockParameters(millis);
    const auto space = params.find(' ');
    const AdjustClockCommand c = parseAdjustClockCommand({params.substr(0, space), params.substr(space + 1)});
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.offsetMillis, millis);
  }
}

}  // namespace
}  // namespace mdx
