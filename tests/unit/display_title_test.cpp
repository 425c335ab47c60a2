// The title bar: the chosen AREA's time, the program title, the call text and flashing, and
// when the title is rebuilt.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "display/title_bar.h"
#include "tests/unit/display_test_support.h"

using namespace mdx;
using namespace mdx::testing;

namespace {

struct RecordingWindow : TitleWindow {
  std::vector<std::string> titles;
  int flashes = 0;
  void setTitle(const std::string& t) override { titles.push_back(t); }
  void flash(bool invert) override {
    EXPECT_TRUE(invert);
    ++flashes;
  }
  std::string title() const { return titles.empty() ? "<none>" : titles.back(); }
};

struct TitleScene {
  SettingsRecords settings = defaultSettings();
  FakeClock clock = clockAt(2026, 12, 8, 15, 5, 30);
  TitleState state;
  RecordingWindow window;
  TitleScene() {
    settings.option.TITLE = 3;
    settings.area(3).COUNTRY = "Paris";
    settings.area(3).RUG = 0;
    settings.area(3).D_24HOUR = 0;
  }
  std::string tick(bool callPending = false) {
    updateTitle(window, state, settings, clock, nullptr, clock.nowSeconds(), callPending);
    return window.title();
  }
};

TEST(DisplayTitle, ChosenAreaTime) {
  TitleScene t;
  EXPECT_EQ(t.tick(), "15:05 Paris");
  t.settings.area(3).D_24HOUR = 1;
  t.state.titleRefreshDue = 1;
  EXPECT_EQ(t.tick(), "PM3:05 Paris");
  t.clock = clockAt(2026, 12, 8, 9, 0, 0);
  EXPECT_EQ(t.tick(), "AM9:00 Paris");
  t.settings.area(3).D_24HOUR = 0;
  t.state.titleRefreshDue = 1;
  EXPECT_EQ(t.tick(), "9:00 Paris");
  t.settings.area(3).RUG = -10;  // the AREA's own hour, no date
  t.state.titleRefreshDue = 1;
  EXPECT_EQ(t.tick(), "23:00 Paris");
}

TEST(DisplayTitle, EmptyNameEndsInABlank) {
  TitleScene t;
  t.settings.option.TITLE = 7;
  t.settings.area(7).COUNTRY = "";
  t.settings.area(7).RUG = 0;
  t.settings.area(7).D_24HOUR = 0;
  EXPECT_EQ(t.tick(), "15:05 ");
}

TEST(DisplayTitle, PlainTitleForNoAreaAndOutOfRangeValues) {
  for (int32_t title : {0, 8, -1, 100, INT_MAX, INT_MIN}) {
    TitleScene t;
    t.settings.option.TITLE = title;
    EXPECT_EQ(t.tick(), "((((( Meridexa )))))") << title;
  }
}

TEST(DisplayTitle, RebuiltOncePerMinuteOrOnRequest) {
  TitleScene t;
  t.tick();
  ASSERT_EQ(t.window.titles.size(), 2u);  // cleared, then written
  EXPECT_EQ(t.window.titles[0], "");
  EXPECT_EQ(t.state.titleRefreshDue, 0);
  EXPECT_EQ(t.state.lastTitleMinute, 5);

  t.clock.advanceMillis(20 * 1000);  // 15:05:50, same minute
  t.settings.area(3).COUNTRY = "Lyon";
  t.tick();
  EXPECT_EQ(t.window.titles.size(), 2u);  // untouched
  t.state.titleRefreshDue = 1;            // a settings dialog closed with OK
  EXPECT_EQ(t.tick(), "15:05 Lyon");
  t.clock.advanceMillis(10 * 1000);  // 15:06:00
  EXPECT_EQ(t.tick(), "15:06 Lyon");
  t.settings.option.TITLE = 0;
  EXPECT_EQ(t.tick(), "15:06 Lyon");  // the new choice waits for the minute or a request
  t.clock.advanceMillis(60 * 1000);
  EXPECT_EQ(t.tick(), "((((( Meridexa )))))");
  // The program title is also set again once a minute.
  const size_t n = t.window.titles.size();
  t.clock.advanceMillis(60 * 1000);
  t.tick();
  EXPECT_EQ(t.window.titles.size(), n + 2);
}

TEST(DisplayTitle, PendingCallShowsItsTextAndFlashes) {
  TitleScene t;
  t.tick();
  t.settings.action.callText = "会議の時間です";
  t.settings.action.callFlash = 1;
  for (int i = 0; i < 3; ++i) {
    t.clock.advanceMillis(1000);
    EXPECT_EQ(t.tick(true), "会議の時間です");
  }
  EXPECT_EQ(t.window.flashes, 3);  // one caption change per tick

  t.settings.action.callFlash = 0;
  EXPECT_EQ(t.tick(true), "会議の時間です");
  EXPECT_EQ(t.window.flashes, 3);

  // The reset asks for a rebuild: the time title returns at once within the same minute.
  t.state.titleRefreshDue = 1;
  EXPECT_EQ(t.tick(false), "15:05 Paris");
}

TEST(DisplayTitle, CallKeepsTheMinuteBookkeepingUntouched) {
  TitleScene t;
  t.tick();
  t.clock.advanceMillis(60 * 1000);  // 15:06 arrives while the call is pending
  t.tick(true);
  EXPECT_EQ(t.state.lastTitleMinute, 5);
  EXPECT_EQ(t.tick(false), "15:06 Paris");
}

TEST(DisplayTitle, ExtremeDifferencesStayInTheDay) {
  TitleScene t;
  t.settings.area(3).RUG = INT_MIN;
  EXPECT_EQ(t.tick(), "7:05 Paris");  // -2147483648 h = -89478485 days - 8 h
  t.settings.area(3).RUG = INT_MAX;
  t.state.titleRefreshDue = 1;
  EXPECT_EQ(t.tick(), "22:05 Paris");  // +2147483647 h = 89478485 days + 7 h
}

}  // namespace

#include "display/window_style.h"

namespace {

TEST(DisplayWindowStyle, TopMostAndTitleBarFollowTheirOptions) {
  OptionSettings o;
  for (int32_t v : {1, 0, 2, -1}) {
    o.TOP_WINDOW = v;
    EXPECT_EQ(wantsTopMost(o), v == 1);
  }
  const uint32_t visible = 0x10000000u;  // WS_VISIBLE stays as it is
  o.MAIN_TITLE = 0;
  EXPECT_EQ(titleBarStyle(visible, o), visible | 0x00CF0000u);
  for (int32_t v : {1, -1, 7}) {
    o.MAIN_TITLE = v;
    EXPECT_EQ(titleBarStyle(visible | 0x00CF0000u, o), visible);
  }
}

}  // namespace
