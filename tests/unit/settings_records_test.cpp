#include <gtest/gtest.h>

#include <set>

#include "settings/memory_profile_store.h"
#include "settings/settings_io.h"

using namespace mdx;

namespace {

int countTexts(const MemoryProfileStore& store) {
  int texts = 0;
  for (const auto& s : store.sections())
    for (const auto& kv : s.second) texts += std::holds_alternative<std::string>(kv.second);
  return texts;
}

TEST(Settings, EmptyStoreGivesTheSevenDefaultPlacesAndOptions) {
  MemoryProfileStore store;
  SettingsRecords r;
  WindowRect rect{1, 2, 3, 4};
  loadSettings(store, r, rect);

  const AreaSettings& tokyo = r.area(1);
  EXPECT_EQ(tokyo.COUNTRY, "東京");
  EXPECT_EQ(tokyo.RUG, 0);
  EXPECT_EQ(tokyo.X, 280);
  EXPECT_EQ(tokyo.Y, 130);
  EXPECT_EQ(tokyo.ﾏｰｼﾞﾝ2X, -18);
  EXPECT_EQ((std::array<int32_t, 3>{tokyo.R, tokyo.G, tokyo.B}), (std::array<int32_t, 3>{255, 0, 0}));
  EXPECT_EQ(r.area(5).COUNTRY, "ｹｰﾌﾟﾀｳﾝ(南ｱﾌﾘｶ)");
  EXPECT_EQ(r.area(5).X, 7);
  EXPECT_EQ(r.area(5).Y, 227);
  EXPECT_EQ((std::array<int32_t, 3>{r.area(5).R, r.area(5).G, r.area(5).B}), (std::array<int32_t, 3>{255, 255, 255}));
  EXPECT_EQ(r.area(3).RUG, -16);
  EXPECT_EQ(r.area(4).RUG, 1);
  EXPECT_EQ(r.area(3).ﾏｰｼﾞﾝ2X, -15);
  EXPECT_EQ(r.area(6).COUNTRY, "ﾊﾞｯｷﾝｶﾞﾑ宮殿(GMT)");
  EXPECT_EQ(r.area(7).COUNTRY, "赤の広場(ﾓｽｸﾜ)");
  for (const auto& a : r.areas) {
    EXPECT_EQ(a.D_COUNTRY + a.D_ANALOG + a.D_DIJITAL + a.D_24HOUR + a.D_DATE, 5);
    EXPECT_EQ(a.ﾏｰｼﾞﾝ1X | a.ﾏｰｼﾞﾝ1Y | a.ﾏｰｼﾞﾝ2Y, 0);
  }

  EXPECT_EQ(rect, (WindowRect{107, 102, 693, 471}));
  EXPECT_EQ(rect.width(), 586);
  EXPECT_EQ(rect.height(), 369);

  const OptionSettings& o = r.option;
  EXPECT_EQ(o.TOP_WINDOW, 0);
  EXPECT_EQ(o.MAIN_TITLE, 0);
  EXPECT_EQ(o.INTERVAL, 0);
  EXPECT_EQ(o.JIHOU, 1);
  EXPECT_EQ(o.D_NIGHT, 1);
  EXPECT_EQ(o.TITLE, 0);
  EXPECT_EQ(o.D_MOJIBAN_R + o.D_MOJIBAN_G + o.D_MOJIBAN_B, 765);

  const TimedAction& a = r.action;
  EXPECT_EQ(a.userChimeOn, 0);
  EXPECT_EQ(a.userChimeMinute, 30);
  EXPECT_EQ(a.callFlash, 1);
  EXPECT_EQ(a.callTopWindow, 1);
  EXPECT_EQ(a.callText, "予定の時間です");
  EXPECT_TRUE(a.exitTime.empty() && a.soundTime.empty() && a.programTime.empty() && a.callTime.empty());
  // Reading touched the store only by reads.
  EXPECT_EQ(store.writes(), 0);
}

TEST(Settings, SaveWritesEveryKeyWithItsTypeAndLoadReadsThemBack) {
  SettingsRecords r = defaultSettings();
  r.area(2).COUNTRY = "ﾊﾟﾘ";
  r.area(2).ﾏｰｼﾞﾝ1Y = -50;
  r.area(7).RUG = 9;          // outside the dialog's range: kept as it is
  r.area(3).D_ANALOG = 2;     // counts as off, but stored unchanged
  r.option.INTERVAL = 2;
  r.option.TITLE = 12;
  r.action.soundFile = "C:\\音\\A.WAV";
  r.action.exitKind = 7;
  r.action.exitTime = "07:05";  // never stored
  WindowRect rect{-3, 5, 800, 600};

  MemoryProfileStore store;
  saveSettings(store, r, rect);
  EXPECT_EQ(store.writes(), kSavedValueCount);
  EXPECT_EQ(store.valueCount(), static_cast<size_t>(kSavedValueCount));
  EXPECT_EQ(countTexts(store), kSavedTextCount);

  std::set<std::string> names;
  for (const auto& s : store.sections()) names.insert(s.first);
  EXPECT_EQ(names, (std::set<std::string>{"AREA1", "AREA2", "AREA3", "AREA4", "AREA5", "AREA6", "AREA7",
                                          "OPTION", "SYSTEM", "ACTION"}));
  EXPECT_EQ(store.sections().at("AREA1").size(), 16u);
  EXPECT_EQ(store.sections().at("OPTION").size(), 14u);
  EXPECT_EQ(store.sections().at("SYSTEM").size(), 4u);
  EXPECT_EQ(store.sections().at("ACTION").size(), 13u);
  EXPECT_TRUE(std::holds_alternative<int32_t>(store.sections().at("AREA2").at("ﾏｰｼﾞﾝ1Y")));
  EXPECT_TRUE(std::holds_alternative<std::string>(store.sections().at("ACTION").at("WINDOW_TEXT")));
  EXPECT_EQ(std::get<int32_t>(store.sections().at("SYSTEM").at("D_WINDOW_LEFT")), -3);

  SettingsRecords back;
  WindowRect backRect;
  loadSettings(store, back, backRect);
  r.action.exitTime.clear();
  EXPECT_EQ(back.areas, r.areas);
  EXPECT_EQ(back.option, r.option);
  EXPECT_EQ(back.action, r.action);
  EXPECT_EQ(backRect, rect);
}

TEST(Settings, ValueOfTheWrongTypeReadsAsItsDefault) {
  MemoryProfileStore store;
  store.writeString("AREA1", "RUG", "9");
  store.writeInt("AREA1", "COUNTRY", 5);
  store.writeString("OPTION", "JIHOU", "0");
  store.writeInt("ACTION", "WINDOW_TEXT", 1);
  store.writeInt("OPTION", "D_NIGHT", 0);
  SettingsRecords r;
  WindowRect rect;
  loadSettings(store, r, rect);
  EXPECT_EQ(r.area(1).RUG, 0);
  EXPECT_EQ(r.area(1).COUNTRY, "東京");
  EXPECT_EQ(r.option.JIHOU, 1);
  EXPECT_EQ(r.action.callText, "予定の時間です");
  EXPECT_EQ(r.option.D_NIGHT, 0);
}

TEST(Settings, AWindowRectangleCountsAsStoredWhenAnyOfItsNumbersIs) {
  MemoryProfileStore store;
  EXPECT_FALSE(hasStoredWindowRect(store));
  store.writeString("SYSTEM", "D_WINDOW_LEFT", "5");  // a text is no rectangle value
  EXPECT_FALSE(hasStoredWindowRect(store));
  store.writeInt("SYSTEM", "D_WINDOW_BOTTOM", 0);
  EXPECT_TRUE(hasStoredWindowRect(store));
  MemoryProfileStore saved;
  saveSettings(saved, SettingsRecords{}, WindowRect{});
  EXPECT_TRUE(hasStoredWindowRect(saved));
}

TEST(Settings, ExtremeValuesSurviveTheRoundTrip) {
  SettingsRecords r = defaultSettings();
  r.area(1).X = INT32_MAX;
  r.area(1).ﾏｰｼﾞﾝ2Y = INT32_MIN;
  r.option.D_MOJIBAN_B = -1;
  MemoryProfileStore store;
  saveSettings(store, r, WindowRect{INT32_MIN, 0, INT32_MAX, 0});
  SettingsRecords back;
  WindowRect rect;
  loadSettings(store, back, rect);
  EXPECT_EQ(back.area(1).X, INT32_MAX);
  EXPECT_EQ(back.area(1).ﾏｰｼﾞﾝ2Y, INT32_MIN);
  EXPECT_EQ(back.option.D_MOJIBAN_B, -1);
  EXPECT_EQ(rect.width(), -1);  // wraps like the 32-bit value it is, without overflow traps
}

// D_TAIYOU exists in the store only while it is on, like an AREA's ZONE; a value other than 1
// counts as off and is removed, so the profile goes back to its classic values.
TEST(Settings, TrueSkyIsStoredOnlyWhileOn) {
  MemoryProfileStore store;
  SettingsRecords r = defaultSettings();
  r.option.D_TAIYOU = 1;
  saveSettings(store, r, WindowRect{});
  EXPECT_EQ(store.valueCount(), static_cast<size_t>(kSavedValueCount + 1));
  EXPECT_EQ(std::get<int32_t>(store.sections().at("OPTION").at("D_TAIYOU")), 1);
  SettingsRecords back;
  WindowRect rect;
  loadSettings(store, back, rect);
  EXPECT_EQ(back.option.D_TAIYOU, 1);

  for (int32_t off : {0, 2}) {
    back.option.D_TAIYOU = off;
    saveSettings(store, back, rect);
    EXPECT_EQ(store.valueCount(), static_cast<size_t>(kSavedValueCount)) << off;
    EXPECT_EQ(store.sections().at("OPTION").count("D_TAIYOU"), 0u) << off;
    loadSettings(store, back, rect);
    EXPECT_EQ(back.option.D_TAIYOU, 0);
  }
}

TEST(Settings, FlagsCountAsOnOnlyAtOneExceptTitleBarAndInterval) {
  EXPECT_TRUE(isOn(1));
  EXPECT_FALSE(isOn(2));
  EXPECT_FALSE(isOn(-1));
  EXPECT_TRUE(isNonZero(2));
  EXPECT_FALSE(isNonZero(0));
}

}  // namespace
