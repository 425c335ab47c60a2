// The main window's decisions with a fake window: creation, a whole tick, each popup command,
// what follows OK (and Cancel) of each dialog, the session's end and the window's destruction.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/world_clock.h"
#include "settings/settings_io.h"
#include "tests/unit/display_test_support.h"
#include "testsupport/memory_profile_store.h"

using namespace mdx;
using namespace mdx::testing;

namespace {

std::string rectText(const WindowRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// Records every call in order; the dialogs answer with what the test sets up.
struct FakeWindow : MainWindow {
  std::vector<std::string> calls;
  MemoryProfileStore* store = nullptr;
  bool minimised = false;
  std::optional<std::array<AreaSettings, kAreaCount>> areaAnswer;
  std::optional<OptionDialogValues> optionsAnswer;
  std::optional<TimedAction> timerAnswer;
  OptionDialogValues optionsShown;

  void setTitle(const std::string& t) override { calls.push_back("title " + t); }
  void flash(bool invert) override { calls.push_back(invert ? "flash" : "unflash"); }
  void place(const WindowRect& r) override { calls.push_back("place " + rectText(r)); }
  WindowRect defaultRect() override { return WindowRect{107, 102, 700, 480}; }
  WindowRect rectForSaving() override { return WindowRect{10, 20, 610, 400}; }
  void setTopMost(bool on) override { calls.push_back(on ? "topmost" : "not topmost"); }
  void applyTitleBarStyle(int32_t mainTitle) override { calls.push_back("style " + std::to_string(mainTitle)); }
  bool isMinimised() override { return minimised; }
  void restore() override { calls.push_back("restore"); }
  void presentFrame(const MapSurfaces& s, int32_t w, int32_t h, bool whole) override {
    EXPECT_FALSE(s.WorkSurface.empty());
    calls.push_back(std::string(whole ? "present whole " : "present part ") + std::to_string(w) + "x" +
                    std::to_string(h));
  }
  void startTickTimer(unsigned) override { calls.push_back("start"); }
  void stopTickTimer() override { calls.push_back("stop"); }
  bool endSession(uint32_t flags, uint32_t) override {
    calls.push_back("end session " + std::to_string(flags) + " after " + std::to_string(store->writes()) + " writes");
    return true;
  }
  void postQuit() override { calls.push_back("quit"); }
  void playSound(const std::string& path, SoundKind kind) override {
    calls.push_back("sound " + std::to_string(static_cast<int>(kind)) + " " + path);
  }
  void launch(const std::string& command) override { calls.push_back("launch " + command); }
  std::optional<std::array<AreaSettings, kAreaCount>> runAreaSheet(const std::array<AreaSettings, kAreaCount>&) override {
    calls.push_back("area sheet");
    return areaAnswer;
  }
  std::optional<OptionDialogValues> runOptionsDialog(const OptionDialogValues& v) override {
    calls.push_back("options");
    optionsShown = v;
    return optionsAnswer;
  }
  std::optional<TimedAction> runTimerActionDialog(const TimedAction&) override {
    calls.push_back("timer actions");
    return timerAnswer;
  }
  void runTimeServerDialog() override { calls.push_back("time server"); }
  void showAbout() override { calls.push_back("about"); }
  void openHelp() override { calls.push_back("help"); }

  std::vector<std::string> take() { return std::exchange(calls, {}); }
};

// A running main window over a stored profile: AREA1 "Tokyo" in the title, Japan time.
struct Running {
  MemoryProfileStore store;
  FakeWindow window;
  FakeClock clock = clockAt(2026, 12, 8, 9, 59, 59);
  WorldClock app{window, store, clock, nullptr};

  explicit Running(SettingsRecords stored = defaultSettings()) {
    stored.option.TITLE = 1;
    stored.area(1).COUNTRY = "Tokyo";
    stored.area(1).RUG = 0;
    stored.area(1).D_24HOUR = 0;
    saveSettings(store, stored, WindowRect{50, 60, 650, 420});
    window.store = &store;
    app.create();
    app.showMap(plainSurfaces());
    app.onClientSize(600, 0);
  }
  std::vector<std::string> tickAt(int h, int mi, int s) {
    window.take();
    clock = clockAt(2026, 12, 8, h, mi, s);
    app.onTimer(kTickTimerId);
    return window.take();
  }
};

using Calls = std::vector<std::string>;

TEST(AppWorldClock, CreationAndAWholeTickGoThroughThePort) {
  SettingsRecords stored = defaultSettings();
  stored.option.TOP_WINDOW = 1;
  stored.option.MAIN_TITLE = 1;
  Running r(stored);
  EXPECT_EQ(r.window.take(), (Calls{"place 50,60,650,420", "topmost", "start", "style 1", "topmost"}));
  EXPECT_TRUE(r.app.hasPicture());  // composed for the first paint, not presented

  // The first tick of 10:00: title, then the hourly chime, then the first frame, whole.
  EXPECT_EQ(r.tickAt(10, 0, 0), (Calls{"stop", "title ", "title 10:00 Tokyo", "sound 2 ", "present whole 600x1",
                                       "start"}));
  // The next second: nothing but a frame of what changed.
  EXPECT_EQ(r.tickAt(10, 0, 1), (Calls{"stop", "present part 600x1", "start"}));
  EXPECT_FALSE(r.app.onTimer(kTickTimerId + 1));
  r.app.onPaint();
  EXPECT_EQ(r.window.take(), (Calls{"present whole 600x1"}));
}

TEST(AppWorldClock, CallFiresTakesTheTitleAndTheResetGivesItBack) {
  SettingsRecords stored = defaultSettings();
  stored.option.JIHOU = 0;
  Running r(stored);
  r.tickAt(10, 0, 0);
  TimedAction a = r.app.records().action;
  a.callReserved = 1, a.callTime = "10:01", a.callTopWindow = 1, a.callFlash = 1, a.callText = "会議";
  r.window.timerAnswer = a;
  r.app.onCommand(MenuCommand::TimerAction);
  EXPECT_EQ(r.app.records().action.callTime, "10:01");

  r.window.minimised = true;
  EXPECT_EQ(r.tickAt(10, 1, 0), (Calls{"stop", "title ", "title 10:01 Tokyo", "restore", "topmost",
                                       "present part 600x1", "start"}));
  EXPECT_TRUE(r.app.callResetEnabled());
  EXPECT_EQ(r.tickAt(10, 1, 1), (Calls{"stop", "title 会議", "flash", "present part 600x1", "start"}));

  r.app.onCommand(MenuCommand::CallReset);
  EXPECT_EQ(r.window.take(), (Calls{"not topmost", "unflash"}));
  EXPECT_FALSE(r.app.callResetEnabled());
  // The time title returns at the next tick, within the same minute.
  EXPECT_EQ(r.tickAt(10, 1, 2).at(2), "title 10:01 Tokyo");
}

TEST(AppWorldClock, EachDialogsOkStepsAndCancel) {
  Running r;
  r.tickAt(10, 0, 0);
  r.window.take();

  // Options, cancelled: only the band follows the option again.
  r.app.onCommand(MenuCommand::Options);
  EXPECT_EQ(r.window.take(), (Calls{"options", "not topmost"}));
  EXPECT_EQ(r.tickAt(10, 0, 1).size(), 3u);  // no title rebuilt
  EXPECT_EQ(r.window.optionsShown.TITLE, 1);

  // Options, OK with the window reset, a new title-bar style and the topmost option.
  OptionDialogValues v = optionValuesFrom(r.app.records());
  v.resetWindow = 1, v.MAIN_TITLE = 1, v.TOP_WINDOW = 1, v.TITLE = 0;
  r.window.optionsAnswer = v;
  r.app.onCommand(MenuCommand::Options);
  EXPECT_EQ(r.window.take(), (Calls{"options", "place 107,102,700,480", "style 1", "topmost"}));
  EXPECT_EQ(r.app.records().option.TITLE, 0);
  EXPECT_EQ(r.tickAt(10, 0, 2).at(2), "title ((((( Meridexa )))))");

  // The AREA sheet: Cancel changes nothing, OK takes all seven AREAs and rebuilds the title.
  r.app.onCommand(MenuCommand::AreaSettings);
  EXPECT_EQ(r.tickAt(10, 0, 3).size(), 3u);
  auto areas = r.app.records().areas;
  areas[6].COUNTRY = "Paris";
  r.window.areaAnswer = areas;
  r.app.onCommand(MenuCommand::AreaSettings);
  EXPECT_EQ(r.app.records().area(7).COUNTRY, "Paris");
  EXPECT_EQ(r.tickAt(10, 0, 4).size(), 5u);  // the title is built again

  // The timer actions: Cancel leaves the reservations as they were.
  const TimedAction before = r.app.records().action;
  r.app.onCommand(MenuCommand::TimerAction);
  EXPECT_EQ(r.app.records().action.callText, before.callText);

  // About rebuilds the title when it closes; the time server and help are only opened.
  r.window.take();
  r.app.onCommand(MenuCommand::About);
  r.app.onCommand(MenuCommand::TimeServer);
  r.app.onCommand(MenuCommand::Help);
  EXPECT_EQ(r.window.take(), (Calls{"about", "time server", "help"}));
  EXPECT_EQ(r.tickAt(10, 0, 5).size(), 5u);
}

TEST(AppWorldClock, SessionEndExitAndDestructionSave) {
  SettingsRecords stored = defaultSettings();
  stored.action.exitReserved = 1;
  stored.action.exitKind = 1;  // restart
  Running r(stored);

  const int writes = r.store.writes();
  r.app.onSessionEnd(false);  // a cancelled end saves nothing
  EXPECT_EQ(r.store.writes(), writes);
  r.app.onSessionEnd(true);
  const int afterSave = r.store.writes();
  EXPECT_GT(afterSave, writes);
  r.app.onSessionEnd(true);  // a repeated notice saves nothing more
  EXPECT_EQ(r.store.writes(), afterSave);

  // A timed restart: saved first, then the session end, then the quit.
  TimedAction a = r.app.records().action;
  a.exitTime = "10:00";
  r.window.timerAnswer = a;
  r.app.onCommand(MenuCommand::TimerAction);
  const Calls tick = r.tickAt(10, 0, 0);
  const std::string end = "end session " + std::to_string(kExitReboot) + " after " + std::to_string(2 * afterSave - writes) + " writes";
  const auto at = std::find(tick.begin(), tick.end(), end);
  ASSERT_NE(at, tick.end());
  EXPECT_EQ(*(at + 1), "quit");

  // Without a stored rectangle the window takes its default one.
  MemoryProfileStore empty;
  FakeWindow fresh;
  WorldClock first(fresh, empty, r.clock, nullptr);
  first.create();
  EXPECT_EQ(fresh.calls.at(0), "place 107,102,700,480");

  r.app.onDestroy();
  WindowRect rect;
  SettingsRecords back;
  loadSettings(r.store, back, rect);
  EXPECT_EQ(rectText(rect), "10,20,610,400");
  EXPECT_EQ(back.action.exitKind, 1);
}

}  // namespace
