// The timer-action dialog's portable rules: opening on copies, group enabling, reserving and
// discarding times, and the texts the dialog shows.
#include <gtest/gtest.h>

#include "actions/timer_action_model.h"
#include "tests/unit/dialogfw_test_support.h"
#include "testsupport/fake_clock.h"

namespace mdx {
namespace {

TEST(ActionsTimerDialog, PadTwoDigits) {
  EXPECT_EQ(padTwoDigits("7"), "07");
  EXPECT_EQ(padTwoDigits(""), "00");
  EXPECT_EQ(padTwoDigits("23"), "23");
  EXPECT_EQ(padTwoDigits("123"), "123");
}

TEST(ActionsTimerDialog, OpensOnDefaultsWithEveryGroupDisabled) {
  TimerActionModel m;
  m.loadFrom(TimedAction{});
  m.initialise();
  for (ActionGroup g : kActionGroups) {
    EXPECT_FALSE(m.groupEnabled(g));
    EXPECT_EQ(m.reserveButtonText(g), "予約");
    EXPECT_EQ(m.timeMember(g), "");
  }
  EXPECT_EQ(m.exitKind, 0);  // "LOGOFF"
  EXPECT_EQ(m.callFlash, 1);
  EXPECT_EQ(m.callTopWindow, 1);
  EXPECT_EQ(m.callText, "予定の時間です");
}

TEST(ActionsTimerDialog, InitialiseKeepsReservedTimesOnlyForSwitchedOnGroups) {
  TimedAction a;
  a.soundReserved = 1;
  a.soundTime = "07:05";
  a.programReserved = 1;  // switched on after a restart: no time
  a.callReserved = 0;
  a.callTime = "08:00";
  TimerActionModel m;
  m.loadFrom(a);
  m.initialise();
  EXPECT_TRUE(m.groupEnabled(ActionGroup::Sound));
  EXPECT_EQ(m.reserveButtonText(ActionGroup::Sound), "完了");
  EXPECT_EQ(m.soundTime, "07:05");
  EXPECT_TRUE(m.groupEnabled(ActionGroup::Program));
  EXPECT_EQ(m.reserveButtonText(ActionGroup::Program), "予約");
  EXPECT_FALSE(m.groupEnabled(ActionGroup::Call));
  EXPECT_EQ(m.reserveButtonText(ActionGroup::Call), "予約");
  EXPECT_EQ(m.callTime, "");
}

TEST(ActionsTimerDialog, CheckValuesOutsideTheBoxAreReset) {
  TimedAction a;
  a.exitReserved = 5;
  a.soundReserved = 2;  // a box state, counts as switched on for the group
  a.callFlash = -1;
  a.exitKind = 7;
  TimerActionModel m;
  m.loadFrom(a);
  m.initialise();
  EXPECT_EQ(m.exitReserved, 0);
  EXPECT_FALSE(m.groupEnabled(ActionGroup::Exit));
  EXPECT_EQ(m.soundReserved, 2);
  EXPECT_TRUE(m.groupEnabled(ActionGroup::Sound));
  EXPECT_EQ(m.callFlash, 0);
  EXPECT_EQ(radioLoadPosition(m.exitKind, 3), -1);  // no exit-kind button checked
}

TEST(ActionsTimerDialog, ExchangeTableGivesBoxesTheirStateAndRadiosByIdList) {
  TimerActionModel m;
  m.programCommand = "notepad.exe";
  m.soundReserved = 2;  // an auto check box shows 2 as checked
  m.exitReserved = 9;   // outside 0..2: reset to 0
  m.callFlash = 1;
  m.exitKind = 2;  // "ＰＣ終了", the third button although its id is the lowest
  test::FakeControls c;
  loadFields(timerActionFields(m), c);
  EXPECT_EQ(c.texts[timer_dlg::kProgramField], "notepad.exe");
  EXPECT_TRUE(c.checks[timer_dlg::kSoundCheck]);
  EXPECT_FALSE(c.checks[timer_dlg::kExitCheck]);
  EXPECT_EQ(m.exitReserved, 0);
  EXPECT_TRUE(c.checks[timer_dlg::kCallFlashCheck]);
  EXPECT_TRUE(c.checks[timer_dlg::kExitShutdownRadio]);
  EXPECT_FALSE(c.checks[timer_dlg::kExitLogOffRadio] || c.checks[timer_dlg::kExitRestartRadio]);

  // Back: what the boxes report, and -1 when no exit kind is chosen.
  c.checks[timer_dlg::kExitShutdownRadio] = false;
  c.texts[timer_dlg::kCallTextField] = "会議";
  ASSERT_FALSE(takeBackFields(timerActionFields(m), c));
  EXPECT_EQ(m.soundReserved, 1);
  EXPECT_EQ(m.exitKind, -1);
  EXPECT_EQ(m.callText, "会議");
  EXPECT_EQ(m.programCommand, "notepad.exe");
}

TEST(ActionsTimerDialog, ReserveThenClearAndRecheckDiscardsTheTime) {
  TimerActionModel m;
  m.loadFrom(TimedAction{});
  m.initialise();
  m.toggleGroup(ActionGroup::Call);
  EXPECT_TRUE(m.groupEnabled(ActionGroup::Call));
  EXPECT_EQ(m.callReserved, 1);

  m.reserve(ActionGroup::Call, "7", "5");  // what the up-downs write
  EXPECT_EQ(m.callTime, "07:05");
  EXPECT_EQ(m.reserveButtonText(ActionGroup::Call), "完了");
  m.reserve(ActionGroup::Call, "23", "59");
  EXPECT_EQ(m.callTime, "23:59");

  m.toggleGroup(ActionGroup::Call);
  EXPECT_FALSE(m.groupEnabled(ActionGroup::Call));
  EXPECT_EQ(m.callReserved, 0);
  EXPECT_EQ(m.callTime, "");
  EXPECT_EQ(m.reserveButtonText(ActionGroup::Call), "予約");
  m.toggleGroup(ActionGroup::Call);
  EXPECT_TRUE(m.groupEnabled(ActionGroup::Call));
  EXPECT_EQ(m.callTime, "");
  EXPECT_EQ(m.reserveButtonText(ActionGroup::Call), "予約");
}

TEST(ActionsTimerDialog, OkCopiesTheFourteenFieldsButNotTheUserChime) {
  TimedAction before;
  before.userChimeOn = 1;
  before.userChimeMinute = 45;
  before.userChimeFile = "u.wav";
  TimerActionModel m;
  m.loadFrom(before);
  m.initialise();
  m.toggleGroup(ActionGroup::Exit);
  m.exitKind = 2;
  m.reserve(ActionGroup::Exit, "23", "30");
  m.toggleGroup(ActionGroup::Sound);
  m.soundFile = "c:\\a.mid";
  m.reserve(ActionGroup::Sound, "7", "15");
  m.callText = "会議";
  m.callFlash = 0;

  TimedAction after = before;
  after.userChimeMinute = 10;  // changed elsewhere meanwhile; OK must not touch it
  m.storeInto(after);
  EXPECT_EQ(after.exitReserved, 1);
  EXPECT_EQ(after.exitKind, 2);
  EXPECT_EQ(after.exitTime, "23:30");
  EXPECT_EQ(after.soundReserved, 1);
  EXPECT_EQ(after.soundFile, "c:\\a.mid");
  EXPECT_EQ(after.soundTime, "07:15");
  EXPECT_EQ(after.callReserved, 0);
  EXPECT_EQ(after.callText, "会議");
  EXPECT_EQ(after.callFlash, 0);
  EXPECT_EQ(after.callTopWindow, 1);
  EXPECT_EQ(after.userChimeOn, 1);
  EXPECT_EQ(after.userChimeMinute, 10);
  EXPECT_EQ(after.userChimeFile, "u.wav");
}

TEST(ActionsTimerDialog, ClockTexts) {
  FakeClock clock(0, 9 * 3600);
  clock.setLocal(2001, 11, 6, 9, 41, 30);
  EXPECT_EQ(setterTextsNow(clock).hour, "09");
  EXPECT_EQ(setterTextsNow(clock).minute, "41");
  EXPECT_EQ(pcClockTextsNow(clock).time, "09:41");
  EXPECT_EQ(pcClockTextsNow(clock).date, "2001年11月06日");
}

}  // namespace
}  // namespace mdx
