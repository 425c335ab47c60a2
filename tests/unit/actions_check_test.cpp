// The once-a-tick check of the reservations and chimes, the call and its reset, driven by a
// fake clock and a recording effects object.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/timed_action_engine.h"
#include "platform/fake_clock.h"

namespace mdx {
namespace {

class RecordingEffects : public TimedActionEffects {
 public:
  std::vector<std::string> events;
  bool minimised = false;
  bool windowsTakesTheEnd = true;

  void saveSettings() override { events.push_back("save"); }
  bool endSession(uint32_t flags, uint32_t reason) override {
    events.push_back("end " + std::to_string(flags) + " " + std::to_string(reason));
    return windowsTakesTheEnd;
  }
  void postQuit() override { events.push_back("quit"); }
  void playSound(const std::string& path, SoundKind kind) override {
    events.push_back("play " + std::to_string(static_cast<int>(kind)) + " " + path);
  }
  void launch(const std::string& commandLine) override { events.push_back("launch " + commandLine); }
  bool isMinimised() override { return minimised; }
  void restoreWindow() override { events.push_back("restore"); }
  void setTopMost(bool topMost) override { events.push_back(topMost ? "topmost" : "notopmost"); }
  void flashWindow(bool invert) override { events.push_back(invert ? "flash on" : "flash off"); }
};

class ActionsCheck : public ::testing::Test {
 protected:
  ActionsCheck() : clock(0, 9 * 3600) { option.JIHOU = 0; }

  // One tick at the given local time; returns what it did.
  std::vector<std::string> tickAt(int y, int mo, int d, int h, int mi, int s) {
    clock.setLocal(y, mo, d, h, mi, s);
    effects.events.clear();
    checkTimedActions(clock, clock.nowSeconds(), action, option, state, effects);
    return effects.events;
  }
  // Ticks every second of one local minute and returns everything done.
  std::vector<std::string> wholeMinute(int y, int mo, int d, int h, int mi) {
    std::vector<std::string> all;
    for (int s = 0; s < 60; ++s) {
      auto e = tickAt(y, mo, d, h, mi, s);
      all.insert(all.end(), e.begin(), e.end());
    }
    return all;
  }

  FakeClock clock;
  TimedAction action;
  OptionSettings option;
  TimedActionState state;
  RecordingEffects effects;
};

using Events = std::vector<std::string>;

TEST_F(ActionsCheck, SoundPlaysOncePerMatchingMinuteAndAgainNextDay) {
  action.soundReserved = 1;
  action.soundTime = "07:15";
  action.soundFile = "c:\\music\\tune.mid";

  EXPECT_EQ(wholeMinute(2024, 3, 1, 7, 14), Events{});
  EXPECT_EQ(wholeMinute(2024, 3, 1, 7, 15), Events{"play 3 C:\\MUSIC\\TUNE.MID"});
  EXPECT_EQ(action.soundFile, "C:\\MUSIC\\TUNE.MID");  // stays upper-case (and is saved so)
  EXPECT_EQ(state.soundFired, 1);
  EXPECT_EQ(tickAt(2024, 3, 1, 7, 16, 0), Events{});
  EXPECT_EQ(state.soundFired, 0);
  EXPECT_EQ(tickAt(2024, 3, 2, 7, 15, 3), Events{"play 3 C:\\MUSIC\\TUNE.MID"});
}

TEST_F(ActionsCheck, ProgramLaunchedOnceWithTheWholeCommandLine) {
  action.programReserved = 1;
  action.programTime = "12:00";
  action.programCommand = "\"C:\\Program Files\\Tool\\tool.exe\" /x  & echo";
  EXPECT_EQ(wholeMinute(2024, 3, 1, 12, 0), Events{"launch \"C:\\Program Files\\Tool\\tool.exe\" /x  & echo"});
  // Only 1 is on; switching off within the minute re-arms the action.
  action.programReserved = 2;
  EXPECT_EQ(tickAt(2024, 3, 2, 12, 0, 0), Events{});
  action.programReserved = 1;
  EXPECT_EQ(tickAt(2024, 3, 2, 12, 0, 1).size(), 1u);
}

TEST_F(ActionsCheck, ReservedTimeMatchReadsOnlyHourAndMinuteCharacters) {
  EXPECT_TRUE(reservedTimeMatches("07:05", 7, 5));
  EXPECT_TRUE(reservedTimeMatches("07-05", 7, 5));   // the separator is not examined
  EXPECT_TRUE(reservedTimeMatches("07:05xx", 7, 5));
  EXPECT_FALSE(reservedTimeMatches("7:05", 7, 5));
  EXPECT_FALSE(reservedTimeMatches(" 7:05", 7, 5));  // digits only, no blank-padded hour
  EXPECT_FALSE(reservedTimeMatches("07:0", 7, 0));
  EXPECT_FALSE(reservedTimeMatches("", 0, 0));
  EXPECT_FALSE(reservedTimeMatches("07:05", 7, 6));
}

TEST_F(ActionsCheck, HourlyChimeOncePerHour) {
  option.JIHOU = 1;
  EXPECT_EQ(wholeMinute(2024, 3, 1, 9, 59), Events{});
  EXPECT_EQ(wholeMinute(2024, 3, 1, 10, 0), Events{"play 2 "});
  EXPECT_EQ(wholeMinute(2024, 3, 1, 10, 1), Events{});
  EXPECT_EQ(tickAt(2024, 3, 1, 11, 0, 0), Events{"play 2 "});
  option.JIHOU = 2;  // only 1 is on
  EXPECT_EQ(tickAt(2024, 3, 1, 12, 0, 0), Events{});
}

TEST_F(ActionsCheck, HourlyChimeThenUserChimeInTheSameTick) {
  option.JIHOU = 1;
  action.userChimeOn = 1;
  action.userChimeMinute = 0;
  action.userChimeFile = "C:\\chime.wav";
  EXPECT_EQ(tickAt(2024, 3, 1, 10, 0, 0), (Events{"play 2 ", "play 1 C:\\chime.wav"}));
  EXPECT_EQ(tickAt(2024, 3, 1, 10, 0, 1), Events{});
}

TEST_F(ActionsCheck, UserChimeAtItsMinuteOfEveryHour) {
  action.userChimeOn = 1;
  action.userChimeMinute = 5;  // matches minute text "05"
  action.userChimeFile = "ding.wav";  // played as given, not upper-cased
  EXPECT_EQ(wholeMinute(2024, 3, 1, 8, 5), Events{"play 1 ding.wav"});
  EXPECT_EQ(tickAt(2024, 3, 1, 8, 6, 0), Events{});
  EXPECT_EQ(tickAt(2024, 3, 1, 9, 5, 0), Events{"play 1 ding.wav"});
}

TEST_F(ActionsCheck, UserChimeMinuteOutsideTheHourNeverSounds) {
  action.userChimeOn = 1;
  action.userChimeFile = "ding.wav";
  for (int32_t minute : {-1, 60, 100, -2147483647 - 1}) {
    action.userChimeMinute = minute;
    for (int m = 0; m < 60; ++m) EXPECT_EQ(tickAt(2024, 3, 1, 8, m, 0), Events{}) << minute << " " << m;
  }
}

TEST_F(ActionsCheck, SoundFileEndings) {
  action.soundReserved = 1;
  action.soundTime = "07:15";
  struct Case {
    std::string file;
    Events played;
    std::string stored;
  } cases[] = {
      {"c:/a/b.wav", {"play 1 C:/A/B.WAV"}, "C:/A/B.WAV"},
      {"c:/a/b.Mid", {"play 3 C:/A/B.MID"}, "C:/A/B.MID"},
      {"c:/a/b.wave", {}, "C:/A/B.WAVE"},
      {"c:/a/b.midi", {}, "C:/A/B.MIDI"},
      // Only ASCII letters change: the Japanese folder and file names stay exactly as they are.
      {"d:/音楽/ｸﾗｼｯｸ/ｂｇｍ.wav", {"play 1 D:/音楽/ｸﾗｼｯｸ/ｂｇｍ.WAV"}, "D:/音楽/ｸﾗｼｯｸ/ｂｇｍ.WAV"},
      {"d:/曲.ｗａｖ", {}, "D:/曲.ｗａｖ"},
  };
  int day = 1;
  for (const Case& c : cases) {
    action.soundFile = c.file;
    EXPECT_EQ(tickAt(2024, 3, day, 7, 15, 0), c.played) << c.file;
    EXPECT_EQ(action.soundFile, c.stored);
    EXPECT_EQ(state.soundFired, 1) << "counts as fired even when nothing played: " << c.file;
    EXPECT_EQ(tickAt(2024, 3, day, 7, 15, 30), Events{});
    EXPECT_EQ(tickAt(2024, 3, day, 7, 16, 0), Events{});
    ++day;
  }
}

struct ExitCase {
  int32_t kind;
  uint32_t flags;
};

class ActionsExit : public ActionsCheck, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ActionsExit, SavesThenEndsTheSessionThenQuits) {
  action.exitReserved = 1;
  action.exitKind = GetParam().kind;
  action.exitTime = "23:30";
  EXPECT_EQ(tickAt(2024, 3, 1, 23, 29, 59), Events{});
  const std::string end = "end " + std::to_string(GetParam().flags) + " 2147483648";  // planned, other
  EXPECT_EQ(tickAt(2024, 3, 1, 23, 30, 0), (Events{"save", end, "quit"}));
  EXPECT_EQ(action.exitReserved, 1);  // nothing of the reservation is cleared
  EXPECT_EQ(action.exitTime, "23:30");

  // Refused: the settings are saved, the program stays, and Windows is not asked again until
  // the reserved minute comes round the next day.
  effects.windowsTakesTheEnd = false;
  EXPECT_EQ(tickAt(2024, 3, 2, 23, 29, 59), Events{});
  EXPECT_EQ(tickAt(2024, 3, 2, 23, 30, 0), (Events{"save", end}));
  EXPECT_EQ(wholeMinute(2024, 3, 2, 23, 30), Events{});
  EXPECT_EQ(tickAt(2024, 3, 2, 23, 31, 0), Events{});
  EXPECT_EQ(tickAt(2024, 3, 3, 23, 30, 5), (Events{"save", end}));
}

// Every exit forces hung programs; shut down turns the power off.
INSTANTIATE_TEST_SUITE_P(ActionsExitKinds, ActionsExit,
                         ::testing::Values(ExitCase{0, 0x10}, ExitCase{1, 0x12}, ExitCase{2, 0x18}));

TEST_F(ActionsCheck, ExitKindOutOfRangeOnlyQuits) {
  action.exitReserved = 1;
  action.exitTime = "23:30";
  int day = 1;
  for (int32_t kind : {3, -1, 1000}) {
    action.exitKind = kind;
    EXPECT_EQ(tickAt(2024, 3, day, 23, 29, 0), Events{});
    EXPECT_EQ(tickAt(2024, 3, day++, 23, 30, 0), Events{"quit"}) << kind;
  }
  EXPECT_FALSE(exitWindowsFlagsForKind(3).has_value());
  EXPECT_FALSE(sessionEndNeedsShutdownPrivilege(kExitLogOff));  // EWX_FORCEIFHUNG is no reason
  EXPECT_TRUE(sessionEndNeedsShutdownPrivilege(kExitReboot));
  EXPECT_TRUE(sessionEndNeedsShutdownPrivilege(kExitShutdown));
}

TEST_F(ActionsCheck, EveryDueActionRunsInOneTickInOrder) {
  option.JIHOU = 1;
  action.exitReserved = 1;
  action.exitKind = 0;
  action.exitTime = "10:00";
  action.soundReserved = 1;
  action.soundTime = "10:00";
  action.soundFile = "a.wav";
  action.programReserved = 1;
  action.programTime = "10:00";
  action.programCommand = "p.exe";
  action.callReserved = 1;
  action.callTopWindow = 0;
  action.callTime = "10:00";
  action.userChimeOn = 1;
  action.userChimeMinute = 0;
  action.userChimeFile = "u.wav";
  EXPECT_EQ(tickAt(2024, 3, 1, 10, 0, 0),
            (Events{"save", "end 16 2147483648", "quit", "play 1 A.WAV", "launch p.exe", "play 2 ", "play 1 u.wav"}));
  EXPECT_EQ(state.callPending, 1);
  // Everything, the exit included, is done for this minute.
  EXPECT_EQ(tickAt(2024, 3, 1, 10, 0, 1), Events{});
}

TEST_F(ActionsCheck, ClockSetForwardAcrossOrBackIntoAReservedMinute) {
  action.programReserved = 1;
  action.programTime = "07:15";
  action.programCommand = "p.exe";

  // Forward across the minute: no tick sees 07:15, nothing runs that day.
  EXPECT_EQ(tickAt(2024, 3, 1, 7, 14, 58), Events{});
  EXPECT_EQ(tickAt(2024, 3, 1, 7, 16, 0), Events{});

  // Ran, the minute passed, then the clock goes back into it: runs again.
  EXPECT_EQ(tickAt(2024, 3, 2, 7, 15, 0), Events{"launch p.exe"});
  EXPECT_EQ(tickAt(2024, 3, 2, 7, 16, 0), Events{});
  EXPECT_EQ(tickAt(2024, 3, 2, 7, 15, 30), Events{"launch p.exe"});

  // Set back within the minute it already ran in, without leaving it: no second run.
  EXPECT_EQ(tickAt(2024, 3, 2, 7, 15, 10), Events{});
}

TEST_F(ActionsCheck, CallBringsAMinimisedWindowForwardAndStaysPending) {
  action.callReserved = 1;
  action.callTime = "09:00";
  effects.minimised = true;
  EXPECT_FALSE(callResetEnabled(state));
  EXPECT_EQ(tickAt(2024, 3, 1, 9, 0, 0), (Events{"restore", "topmost"}));
  EXPECT_EQ(state.callPending, 1);
  EXPECT_TRUE(callResetEnabled(state));
  EXPECT_EQ(wholeMinute(2024, 3, 1, 9, 1), Events{});
  EXPECT_EQ(state.callPending, 1);

  // Firing again while pending repeats only the window step; a maximised window only
  // becomes topmost.
  effects.minimised = false;
  EXPECT_EQ(tickAt(2024, 3, 2, 9, 0, 0), Events{"topmost"});
  EXPECT_EQ(state.callPending, 1);
}

TEST_F(ActionsCheck, ResetCallRestoresTheAlwaysOnTopOptionAndTheTitle) {
  action.callReserved = 1;
  action.callTime = "09:00";
  tickAt(2024, 3, 1, 9, 0, 0);
  ASSERT_EQ(state.callPending, 1);

  for (int32_t topWindow : {0, 1, 2}) {
    option.TOP_WINDOW = topWindow;
    int32_t titleRefreshDue = 0;
    effects.events.clear();
    resetCall(option, state, effects, titleRefreshDue);
    EXPECT_EQ(effects.events, (Events{topWindow == 1 ? "topmost" : "notopmost", "flash off"}));
    EXPECT_EQ(state.callPending, 0);
    EXPECT_EQ(titleRefreshDue, 1);
    EXPECT_FALSE(callResetEnabled(state));
  }
  // Reset does not re-arm within the minute: the call's own fired switch still holds.
  EXPECT_EQ(tickAt(2024, 3, 1, 9, 0, 30), Events{});
  EXPECT_EQ(state.callPending, 0);
}

}  // namespace
}  // namespace mdx
