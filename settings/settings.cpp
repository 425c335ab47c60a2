#include "settings/settings.h"

#include <tuple>

namespace mdx {

namespace {
auto fields(const AreaSettings& a) {
  return std::tie(a.COUNTRY, a.RUG, a.X, a.Y, a.ﾏｰｼﾞﾝ1X, a.ﾏｰｼﾞﾝ1Y, a.ﾏｰｼﾞﾝ2X, a.ﾏｰｼﾞﾝ2Y, a.R, a.G, a.B,
                  a.D_COUNTRY, a.D_ANALOG, a.D_DIJITAL, a.D_24HOUR, a.D_DATE, a.ZONE);
}
auto fields(const OptionSettings& o) {
  return std::tie(o.D_NIGHT, o.TOP_WINDOW, o.D_SEKIDOU, o.D_DATELINE, o.JIHOU, o.D_AREA_NO, o.TITLE,
                  o.D_BAN_COLOR, o.D_MOJIBAN_R, o.D_MOJIBAN_G, o.D_MOJIBAN_B, o.D_EVENT1,
                  o.MAIN_TITLE, o.INTERVAL, o.D_TAIYOU);
}

struct AreaDefault {
  const char* country;
  int32_t rug, x, y, margin2x, r, g, b;
};

// The seven places a first run shows.
const AreaDefault kAreaDefaults[kAreaCount] = {
    {"東京", 0, 280, 130, -18, 255, 0, 0},
    {"ﾋﾟｯﾂﾊﾞｰｸﾞ", -14, 442, 104, 0, 0, 128, 255},
    {"ｻﾝﾊﾟｳﾛ", -16, 515, 226, -15, 157, 79, 79},
    {"ｴｱｰｽﾞﾛｯｸ", 1, 250, 250, 0, 0, 255, 128},
    {"ｹｰﾌﾟﾀｳﾝ(南ｱﾌﾘｶ)", -7, 7, 227, 0, 255, 255, 255},
    {"ﾊﾞｯｷﾝｶﾞﾑ宮殿(GMT)", -9, 17, 3, 0, 255, 0, 255},
    {"赤の広場(ﾓｽｸﾜ)", -6, 140, 101, 0, 255, 255, 0},
};
}  // namespace

bool AreaSettings::operator==(const AreaSettings& o) const { return fields(*this) == fields(o); }
bool OptionSettings::operator==(const OptionSettings& o) const { return fields(*this) == fields(o); }

AreaSettings defaultAreaSettings(int n) {
  const AreaDefault& d = kAreaDefaults[n - 1];
  AreaSettings a;
  a.COUNTRY = d.country;
  a.RUG = d.rug;
  a.X = d.x;
  a.Y = d.y;
  a.ﾏｰｼﾞﾝ2X = d.margin2x;
  a.R = d.r;
  a.G = d.g;
  a.B = d.b;
  return a;
}

SettingsRecords defaultSettings() {
  SettingsRecords s;
  for (int n = 1; n <= kAreaCount; ++n) s.area(n) = defaultAreaSettings(n);
  return s;
}

}  // namespace mdx
