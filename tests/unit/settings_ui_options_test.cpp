// The options dialog's logic: take-back order and ranges, the title-time buttons, the
// enabling rules, and what OK does to the records.
#include <gtest/gtest.h>

#include "display/window_style.h"
#include "settings_ui/options_model.h"
#include "tests/unit/dialogfw_test_support.h"

namespace mdx {
namespace {

namespace id = option_ids;

test::FakeControls dialogShowing(OptionDialogValues v) {
  test::FakeControls c;
  loadFields(optionFields(v), c);
  c.reads.clear();
  return c;
}

TEST(OptionsDialog, OpensFromTheRecordsWithTheResetFlagOff) {
  SettingsRecords r = defaultSettings();
  r.action.userChimeMinute = 45;
  r.action.userChimeFile = "C:\\a.wav";
  const OptionDialogValues v = optionValuesFrom(r);
  EXPECT_EQ(static_cast<const OptionSettings&>(v), r.option);
  EXPECT_EQ(v.userChimeMinute, 45);
  EXPECT_EQ(v.userChimeFile, "C:\\a.wav");
  EXPECT_EQ(v.resetWindow, 0);
  test::FakeControls c = dialogShowing(v);
  EXPECT_TRUE(c.checks[id::kTitleButtons[0]]) << "TITLE 0 chooses なし";
  EXPECT_EQ(c.texts[id::kUserMinute], "45");
  EXPECT_FALSE(c.checks[id::kResetWindow]);
}

TEST(OptionsDialog, TakesValuesBackInTheFixedOrder) {
  test::FakeControls c = dialogShowing(optionValuesFrom(defaultSettings()));
  OptionDialogValues v;
  ASSERT_FALSE(takeBackFields(optionFields(v), c));
  std::vector<int> expected{id::kNight, id::kTrueSky, id::kTopWindow, id::kDateLine, id::kEquator};
  expected.insert(expected.end(), id::kTitleButtons.begin(), id::kTitleButtons.end());
  for (int x : {id::kHourlyChime, id::kAreaNumber, id::kDialColour, id::kEvent, id::kDialBlue, id::kDialGreen,
                id::kDialRed, id::kWavPath, id::kUserChime, id::kUserMinute, id::kMainTitle, id::kResetWindow,
                id::kInterval})
    expected.push_back(x);
  EXPECT_EQ(c.reads, expected);
}

TEST(OptionsDialog, MinuteAndDialColourRanges) {
  for (const char* ok : {"0", "59"}) {
    test::FakeControls c = dialogShowing(optionValuesFrom(defaultSettings()));
    c.texts[id::kUserMinute] = ok;
    OptionDialogValues v;
    EXPECT_FALSE(takeBackFields(optionFields(v), c)) << ok;
  }
  struct Case {
    int control;
    const char* text;
    const char* message;
  };
  const Case cases[] = {{id::kUserMinute, "60", "0 から 59 までの整数を入力してください。"},
                        {id::kUserMinute, "-1", "0 から 59 までの整数を入力してください。"},
                        {id::kUserMinute, "", "整数を入力してください。"},
                        {id::kDialRed, "256", "0 から 255 までの整数を入力してください。"},
                        {id::kDialBlue, "x", "整数を入力してください。"}};
  for (const Case& k : cases) {
    SettingsRecords r = defaultSettings();
    r.action.userChimeOn = 0;  // the minute is disabled, and still checked
    test::FakeControls c = dialogShowing(optionValuesFrom(r));
    applyUserChimeEnabling(c);
    EXPECT_FALSE(c.enabled[id::kUserMinute]);
    c.texts[k.control] = k.text;
    OptionDialogValues v;
    const auto failure = takeBackFields(optionFields(v), c);
    ASSERT_TRUE(failure) << k.text;
    EXPECT_EQ(failure->controlId, k.control);
    EXPECT_EQ(failure->message, k.message);
  }
}

TEST(OptionsDialog, TitleButtonsMapToPositions) {
  for (int32_t title = -3; title <= 9; ++title) {
    OptionDialogValues v = optionValuesFrom(defaultSettings());
    v.TITLE = title;
    test::FakeControls c = dialogShowing(v);
    int chosen = 0;
    for (size_t i = 0; i < id::kTitleButtons.size(); ++i) {
      EXPECT_EQ(c.checks[id::kTitleButtons[i]], static_cast<int32_t>(i) == title) << title;
      chosen += c.checks[id::kTitleButtons[i]] ? 1 : 0;
    }
    EXPECT_EQ(chosen, title >= 0 && title <= 7 ? 1 : 0);
    OptionDialogValues back;
    ASSERT_FALSE(takeBackFields(optionFields(back), c));
    EXPECT_EQ(back.TITLE, title >= 0 && title <= 7 ? title : -1) << "none chosen stores -1";
  }
  // AREA7 is the last button, id 1016, not the highest id of the set.
  test::FakeControls c = dialogShowing(optionValuesFrom(defaultSettings()));
  c.checks[id::kTitleButtons[0]] = false;
  c.checks[1016] = true;
  OptionDialogValues back;
  ASSERT_FALSE(takeBackFields(optionFields(back), c));
  EXPECT_EQ(back.TITLE, 7);
}

TEST(OptionsDialog, EnablingRulesFollowTheirOwnCheckBoxes) {
  test::FakeControls c;
  c.checks = {{id::kUserChime, true}, {id::kDialColour, false}};
  applyUserChimeEnabling(c);
  applyDialColourEnabling(c);
  for (int x : {id::kUserMinute, id::kWavBrowse, id::kWavPath}) EXPECT_TRUE(c.enabled.at(x));
  for (int x : {id::kDialRed, id::kDialGreen, id::kDialBlue, id::kColorButton}) EXPECT_FALSE(c.enabled.at(x));
  c.checks = {{id::kUserChime, false}, {id::kDialColour, true}};
  applyUserChimeEnabling(c);
  applyDialColourEnabling(c);
  for (int x : {id::kUserMinute, id::kWavBrowse, id::kWavPath}) EXPECT_FALSE(c.enabled.at(x));
  for (int x : {id::kDialRed, id::kDialGreen, id::kDialBlue, id::kColorButton}) EXPECT_TRUE(c.enabled.at(x));
}

// 太陽の位置で昼夜を描く is usable only under 昼夜表示, yet keeps and returns its value while
// disabled, and OK stores it with the other options.
TEST(OptionsDialog, TrueSkyFollowsTheNightBoxAndTravelsWithTheOptions) {
  SettingsRecords r = defaultSettings();
  r.option.D_TAIYOU = 1;
  r.option.D_NIGHT = 0;
  test::FakeControls c = dialogShowing(optionValuesFrom(r));
  EXPECT_TRUE(c.checks[id::kTrueSky]);
  applyTrueSkyEnabling(c);
  EXPECT_FALSE(c.enabled.at(id::kTrueSky));
  c.checks[id::kNight] = true;
  applyTrueSkyEnabling(c);
  EXPECT_TRUE(c.enabled.at(id::kTrueSky));

  c.checks[id::kTrueSky] = false;
  OptionDialogValues v = optionValuesFrom(r);
  ASSERT_FALSE(takeBackOptions(v, c));
  applyOptionsOk(v, r);
  EXPECT_EQ(r.option.D_TAIYOU, 0);
  EXPECT_EQ(r.option.D_NIGHT, 1);
}

TEST(OptionsDialog, OkCopiesBackAndRestylesOnlyOnAChangedMainTitle) {
  SettingsRecords r = defaultSettings();
  const SettingsRecords before = r;
  OptionDialogValues v = optionValuesFrom(r);
  v.TOP_WINDOW = 1;
  v.TITLE = 7;
  v.D_MOJIBAN_G = 12;
  v.userChimeOn = 1;
  v.userChimeMinute = 0;
  v.userChimeFile = "C:\\x.wav";
  OptionsOkSteps steps = applyOptionsOk(v, r);
  EXPECT_FALSE(steps.restyle);
  EXPECT_FALSE(steps.resetWindow);
  EXPECT_EQ(r.option.TOP_WINDOW, 1);
  EXPECT_EQ(r.option.TITLE, 7);
  EXPECT_EQ(r.option.D_MOJIBAN_G, 12);
  EXPECT_EQ(r.action.userChimeOn, 1);
  EXPECT_EQ(r.action.userChimeMinute, 0);
  EXPECT_EQ(r.action.userChimeFile, "C:\\x.wav");
  EXPECT_EQ(r.areas, before.areas);
  EXPECT_EQ(r.action.callText, before.action.callText);

  v.MAIN_TITLE = 1;
  v.resetWindow = 1;
  steps = applyOptionsOk(v, r);
  EXPECT_TRUE(steps.restyle);
  EXPECT_TRUE(steps.resetWindow);
  EXPECT_EQ(r.option.MAIN_TITLE, 1);
  steps = applyOptionsOk(v, r);
  EXPECT_FALSE(steps.restyle) << "unchanged: no restyle";

  const WindowRect d = defaultWindowRect();
  EXPECT_EQ(d.left, 107);
  EXPECT_EQ(d.top, 102);
  EXPECT_EQ(d.width(), 586);
  EXPECT_EQ(d.height(), 369);
}

TEST(OptionsDialog, StoredCheckValueTwoShowsCheckedAndOkKeepsTheTitleBarOff) {
  SettingsRecords r = defaultSettings();
  r.option.MAIN_TITLE = 2;  // counts as on: no title bar
  r.option.D_NIGHT = 7;     // outside 0..2: opens unchecked
  OptionDialogValues v = optionValuesFrom(r);
  test::FakeControls c = dialogShowing(v);
  EXPECT_TRUE(c.checks[id::kMainTitle]);
  EXPECT_FALSE(c.checks[id::kNight]);
  ASSERT_FALSE(takeBackOptions(v, c));  // OK without touching anything
  applyOptionsOk(v, r);
  EXPECT_EQ(r.option.MAIN_TITLE, 1) << "what the box showed";
  EXPECT_EQ(r.option.D_NIGHT, 0);
  EXPECT_EQ(titleBarStyle(kOverlappedWindowStyle, r.option) & kOverlappedWindowStyle, 0u)
      << "the title bar does not come back";
}

TEST(OptionsDialog, DialColourPickerStartsFromStoredValues) {
  OptionDialogValues v = optionValuesFrom(defaultSettings());
  test::FakeControls c = dialogShowing(v);
  c.texts[id::kDialRed] = "10";
  EXPECT_EQ(pickerStartColour(v.D_MOJIBAN_R, v.D_MOJIBAN_G, v.D_MOJIBAN_B), (Rgb{255, 255, 255}));
  acceptDialColour(v, Rgb{9, 8, 7}, c);
  EXPECT_EQ(v.D_MOJIBAN_R, 9);
  EXPECT_EQ(v.D_MOJIBAN_B, 7);
  EXPECT_EQ(c.texts[id::kDialRed], "9");
  EXPECT_EQ(c.texts[id::kDialBlue], "7");
}

TEST(OptionsDialog, RefusedOkLeavesTheValuesAndThePickerStartAsLoaded) {
  OptionDialogValues v = optionValuesFrom(defaultSettings());
  v.D_MOJIBAN_R = 40;
  v.D_MOJIBAN_G = 50;
  v.D_MOJIBAN_B = 60;
  test::FakeControls c = dialogShowing(v);
  // The dial colour is read before the minute, which then refuses the OK.
  c.texts[id::kDialRed] = "10";
  c.texts[id::kDialGreen] = "20";
  c.texts[id::kDialBlue] = "30";
  c.checks[id::kNight] = !c.checks[id::kNight];
  c.texts[id::kUserMinute] = "60";
  const OptionDialogValues before = v;
  const auto failure = takeBackOptions(v, c);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->controlId, id::kUserMinute);
  EXPECT_EQ(static_cast<const OptionSettings&>(v), static_cast<const OptionSettings&>(before));
  EXPECT_EQ(pickerStartColour(v.D_MOJIBAN_R, v.D_MOJIBAN_G, v.D_MOJIBAN_B), (Rgb{40, 50, 60}))
      << "not the typed 10, 20, 30";

  c.texts[id::kUserMinute] = "59";
  ASSERT_FALSE(takeBackOptions(v, c));
  EXPECT_EQ(v.D_MOJIBAN_R, 10);
  EXPECT_EQ(v.D_MOJIBAN_B, 30);
  EXPECT_EQ(v.D_NIGHT, before.D_NIGHT == 1 ? 0 : 1);
  EXPECT_EQ(v.userChimeMinute, 59);
}

}  // namespace
}  // namespace mdx
