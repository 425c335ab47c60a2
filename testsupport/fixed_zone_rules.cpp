#include "testsupport/fixed_zone_rules.h"

#include <algorithm>

#include "platform/clock.h"

namespace mdx {

namespace {

bool isLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int64_t year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeap(year) ? 29 : kDays[month - 1];
}

// 1970-01-01 was a Thursday (4).
int weekday(int64_t days) { return static_cast<int>(floorMod(days + 4, 7)); }

bool hasDaylightSaving(const FixedZone& z) { return z.daylightDate.month != 0 && z.standardDate.month != 0; }

}  // namespace

int64_t transitionLocalSeconds(const TransitionRule& rule, int64_t year) {
  const int month = std::clamp(rule.month, 1, 12);
  const int64_t first = daysFromCivil(year, static_cast<unsigned>(month), 1);
  const int wanted = static_cast<int>(floorMod(rule.dayOfWeek, 7));
  int day = 1 + static_cast<int>(floorMod(wanted - weekday(first), 7)) + (std::clamp(rule.week, 1, 5) - 1) * 7;
  // Week 5 means the last such day, which may be the fourth.
  while (day > daysInMonth(year, month)) day -= 7;
  return (first + day - 1) * 86400 + int64_t{rule.hour} * 3600 + int64_t{rule.minute} * 60 + rule.second;
}

int32_t fixedZoneOffsetMinutes(const FixedZone& z, int64_t utcSeconds) {
  const int64_t standardBias = int64_t{z.bias} + z.standardBias;
  const int64_t daylightBias = int64_t{z.bias} + z.daylightBias;
  if (!hasDaylightSaving(z)) return static_cast<int32_t>(-standardBias);
  CivilTime local = civilFromLocalSeconds(utcSeconds - standardBias * 60);
  // Start is written in standard time, end in daylight time; both turned into UTC.
  const int64_t start = transitionLocalSeconds(z.daylightDate, local.year) + standardBias * 60;
  const int64_t end = transitionLocalSeconds(z.standardDate, local.year) + daylightBias * 60;
  const bool daylight = start < end ? (utcSeconds >= start && utcSeconds < end)
                                    : (utcSeconds >= start || utcSeconds < end);  // southern hemisphere
  return static_cast<int32_t>(daylight ? -daylightBias : -standardBias);
}

FixedZoneRules::FixedZoneRules(std::vector<FixedZone> zones) : zones_(std::move(zones)) {}

std::optional<int32_t> FixedZoneRules::offsetMinutes(const std::string& keyName, int64_t utcSeconds) const {
  for (const FixedZone& z : zones_)
    if (z.keyName == keyName) return fixedZoneOffsetMinutes(z, utcSeconds);
  return std::nullopt;
}

std::vector<ZoneEntry> FixedZoneRules::zones() const {
  std::vector<ZoneEntry> list;
  for (const FixedZone& z : zones_)
    list.push_back(ZoneEntry{z.keyName, z.displayName, static_cast<int32_t>(-(int64_t{z.bias} + z.standardBias))});
  sortZoneEntries(list);
  return list;
}

const FixedZoneRules& builtinFixedZoneRules() {
  // {month, week (5 = last), weekday (0 = Sunday), hour, minute}
  const TransitionRule usEnd{11, 1, 0, 2, 0}, usStart{3, 2, 0, 2, 0};
  const TransitionRule auEnd{4, 1, 0, 3, 0}, auStart{10, 1, 0, 2, 0};
  static const FixedZoneRules rules({
      {"Tokyo Standard Time", "(UTC+09:00) 大阪、札幌、東京", -540, 0, -60, {}, {}},
      {"Eastern Standard Time", "(UTC-05:00) 東部標準時 (米国およびカナダ)", 300, 0, -60, usEnd, usStart},
      {"Pacific Standard Time", "(UTC-08:00) 太平洋標準時 (米国およびカナダ)", 480, 0, -60, usEnd, usStart},
      {"Newfoundland Standard Time", "(UTC-03:30) ニューファンドランド", 210, 0, -60, usEnd, usStart},
      {"E. South America Standard Time", "(UTC-03:00) ブラジリア", 180, 0, -60, {}, {}},
      {"UTC", "(UTC) 協定世界時", 0, 0, 0, {}, {}},
      {"GMT Standard Time", "(UTC+00:00) ダブリン、エジンバラ、リスボン、ロンドン", 0, 0, -60, {10, 5, 0, 2, 0},
       {3, 5, 0, 1, 0}},
      {"W. Europe Standard Time", "(UTC+01:00) アムステルダム、ベルリン、ベルン、ローマ、ストックホルム、ウィーン",
       -60, 0, -60, {10, 5, 0, 3, 0}, {3, 5, 0, 2, 0}},
      {"South Africa Standard Time", "(UTC+02:00) ハラーレ、プレトリア", -120, 0, -60, {}, {}},
      {"Russian Standard Time", "(UTC+03:00) モスクワ、サンクト ペテルブルグ", -180, 0, -60, {}, {}},
      {"Iran Standard Time", "(UTC+03:30) テヘラン", -210, 0, -60, {}, {}},
      {"Afghanistan Standard Time", "(UTC+04:30) カブール", -270, 0, -60, {}, {}},
      {"India Standard Time", "(UTC+05:30) チェンナイ、コルカタ、ムンバイ、ニューデリー", -330, 0, -60, {}, {}},
      {"Nepal Standard Time", "(UTC+05:45) カトマンズ", -345, 0, -60, {}, {}},
      {"AUS Central Standard Time", "(UTC+09:30) ダーウィン", -570, 0, -60, {}, {}},
      {"Cen. Australia Standard Time", "(UTC+09:30) アデレード", -570, 0, -60, auEnd, auStart},
      {"AUS Eastern Standard Time", "(UTC+10:00) キャンベラ、メルボルン、シドニー", -600, 0, -60, auEnd, auStart},
      {"Chatham Islands Standard Time", "(UTC+12:45) チャタム諸島", -765, 0, -60, {4, 1, 0, 3, 45},
       {9, 5, 0, 2, 45}},
  });
  return rules;
}

}  // namespace mdx
