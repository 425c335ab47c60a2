// The AREA sheet's page logic: take-back order and ranges, the enabling rule, the colour
// picker's start colour and result.
#include <gtest/gtest.h>

#include <set>

#include "settings_ui/area_sheet_model.h"
#include "tests/unit/dialogfw_test_support.h"

namespace mdx {
namespace {

// A page's controls holding a valid record.
test::FakeControls pageShowing(int n, const AreaSettings& v) {
  test::FakeControls c;
  AreaSettings copy = v;
  loadFields(areaPageFields(n, copy), c);
  c.reads.clear();
  return c;
}

TEST(AreaPage, TakesValuesBackInTheFixedOrder) {
  for (int n = 1; n <= kAreaCount; ++n) {
    const AreaPageIds& id = areaPageIds(n);
    test::FakeControls c = pageShowing(n, defaultAreaSettings(n));
    AreaSettings v = blankAreaPageValues();
    ASSERT_FALSE(takeBackFields(areaPageFields(n, v), c));
    EXPECT_EQ(c.reads, (std::vector<int>{id.name, id.nameMarginX, id.nameMarginY, id.digitalMarginX,
                                         id.digitalMarginY, id.rug, id.posX, id.posY, id.showDate, id.twelveHour,
                                         id.showAnalog, id.showCountry, id.showDigital, id.red, id.green, id.blue}))
        << "AREA" << n;
    EXPECT_EQ(v, defaultAreaSettings(n)) << "AREA" << n << " round trip";
  }
}

TEST(AreaPage, EveryPageUsesItsOwnDistinctIds) {
  std::set<int> templates;
  for (int n = 1; n <= kAreaCount; ++n) {
    const AreaPageIds& id = areaPageIds(n);
    templates.insert(id.templateId);
    const std::set<int> ids{id.name,       id.rug,         id.red,         id.green,          id.blue,
                            id.showDate,   id.twelveHour,  id.showAnalog,  id.posX,           id.posY,
                            id.showCountry, id.nameMarginX, id.nameMarginY, id.showDigital, id.digitalMarginX,
                            id.digitalMarginY};
    EXPECT_EQ(ids.size(), 16u) << "AREA" << n;
    EXPECT_EQ(ids.count(kAreaColorButton), 0u);
  }
  EXPECT_EQ(templates, (std::set<int>{105, 106, 107, 108, 109, 110, 111}));
}

struct Refusal {
  int AreaPageIds::*field;
  const char* text;
  const char* message;
};

TEST(AreaPage, RefusesBadFieldsWithTheirMessages) {
  const Refusal cases[] = {
      {&AreaPageIds::nameMarginX, "51", "-50 から 50 までの整数を入力してください。"},
      {&AreaPageIds::nameMarginY, "-51", "-50 から 50 までの整数を入力してください。"},
      {&AreaPageIds::digitalMarginX, "80", "-50 から 50 までの整数を入力してください。"},
      {&AreaPageIds::digitalMarginY, "200", "-50 から 50 までの整数を入力してください。"},
      {&AreaPageIds::rug, "5", "-20 から 4 までの整数を入力してください。"},
      {&AreaPageIds::rug, "-21", "-20 から 4 までの整数を入力してください。"},
      {&AreaPageIds::red, "256", "0 から 255 までの整数を入力してください。"},
      {&AreaPageIds::blue, "-1", "0 から 255 までの整数を入力してください。"},
      {&AreaPageIds::posX, "", "整数を入力してください。"},
      {&AreaPageIds::posY, "1e3", "整数を入力してください。"},
  };
  for (int n = 1; n <= kAreaCount; ++n) {  // AREA1's digital margin Y included
    for (const Refusal& r : cases) {
      test::FakeControls c = pageShowing(n, defaultAreaSettings(n));
      const int failing = areaPageIds(n).*r.field;
      c.texts[failing] = r.text;
      AreaSettings v = defaultAreaSettings(n);
      const auto failure = takeBackFields(areaPageFields(n, v), c);
      ASSERT_TRUE(failure) << "AREA" << n << " " << r.text;
      EXPECT_EQ(failure->controlId, failing);
      EXPECT_EQ(failure->message, r.message);
    }
  }
}

TEST(AreaPage, AcceptsTheBoundsAndAnyName) {
  test::FakeControls c = pageShowing(2, defaultAreaSettings(2));
  const AreaPageIds& id = areaPageIds(2);
  c.texts[id.name] = "";
  c.texts[id.rug] = "-20";
  c.texts[id.nameMarginX] = " 50";
  c.texts[id.digitalMarginY] = "-50\t";
  c.texts[id.posX] = "-100000";
  c.texts[id.red] = "0";
  c.texts[id.blue] = "255";
  AreaSettings v = defaultAreaSettings(2);
  ASSERT_FALSE(takeBackFields(areaPageFields(2, v), c));
  EXPECT_EQ(v.COUNTRY, "");
  EXPECT_EQ(v.RUG, -20);
  EXPECT_EQ(v.ﾏｰｼﾞﾝ1X, 50);
  EXPECT_EQ(v.ﾏｰｼﾞﾝ2Y, -50);
  EXPECT_EQ(v.X, -100000);
  c.texts[id.rug] = "4";
  ASSERT_FALSE(takeBackFields(areaPageFields(2, v), c));
  EXPECT_EQ(v.RUG, 4);
}

TEST(AreaPage, StoredOutOfRangeValuesShowAsTheyAreAndAreRefusedOnLeaving) {
  AreaSettings stored = defaultAreaSettings(3);
  stored.ﾏｰｼﾞﾝ1X = 80;
  stored.D_COUNTRY = 0;
  test::FakeControls c = pageShowing(3, stored);
  EXPECT_EQ(c.texts[areaPageIds(3).nameMarginX], "80");
  applyAreaPageEnabling(3, c);
  EXPECT_FALSE(c.enabled[areaPageIds(3).nameMarginX]);
  const auto failure = takeBackFields(areaPageFields(3, stored), c);
  ASSERT_TRUE(failure) << "disabled fields are checked too";
  EXPECT_EQ(failure->controlId, areaPageIds(3).nameMarginX);
}

TEST(AreaPage, StoredCheckValueTwoShowsCheckedAndIsTakenBackAsShown) {
  AreaSettings stored = defaultAreaSettings(4);
  stored.D_ANALOG = 2;
  stored.D_DATE = -1;  // outside 0..2: opens unchecked
  const AreaPageIds& id = areaPageIds(4);
  test::FakeControls c = pageShowing(4, stored);
  EXPECT_TRUE(c.checks[id.showAnalog]);
  EXPECT_FALSE(c.checks[id.showDate]);
  applyAreaPageEnabling(4, c);
  EXPECT_TRUE(c.enabled[id.posX]) << "the analog position follows the box as shown";
  ASSERT_FALSE(takeBackFields(areaPageFields(4, stored), c));
  EXPECT_EQ(stored.D_ANALOG, 1);
  EXPECT_EQ(stored.D_DATE, 0);
}

TEST(AreaPage, EnablingFollowsThePagesOwnCheckBoxes) {
  struct Row {
    bool analog, country, digital;
    AreaPageEnabling expect;
  };
  const Row rows[] = {
      {true, true, true, {true, true, true, true}},     {false, false, false, {false, false, false, false}},
      {true, false, false, {true, false, false, false}}, {false, true, false, {false, true, false, true}},
      {false, false, true, {false, false, true, true}},
  };
  for (const Row& r : rows) {
    const AreaPageEnabling e = areaPageEnabling(r.analog, r.country, r.digital);
    EXPECT_EQ(e.position, r.expect.position);
    EXPECT_EQ(e.nameMargins, r.expect.nameMargins);
    EXPECT_EQ(e.digitalMargins, r.expect.digitalMargins);
    EXPECT_EQ(e.colour, r.expect.colour);
  }

  const AreaPageIds& id = areaPageIds(5);
  test::FakeControls c;
  c.checks = {{id.showAnalog, false}, {id.showCountry, false}, {id.showDigital, false}};
  // Another page's boxes must not count.
  c.checks[areaPageIds(1).showCountry] = true;
  applyAreaPageEnabling(5, c);
  for (int ctl : {id.posX, id.posY, id.nameMarginX, id.nameMarginY, id.digitalMarginX, id.digitalMarginY, id.red,
                  id.green, id.blue, kAreaColorButton})
    EXPECT_FALSE(c.enabled.at(ctl)) << ctl;
  c.checks[id.showDigital] = true;
  applyAreaPageEnabling(5, c);
  EXPECT_TRUE(c.enabled.at(id.red) && c.enabled.at(kAreaColorButton) && c.enabled.at(id.digitalMarginY));
  EXPECT_FALSE(c.enabled.at(id.nameMarginX) || c.enabled.at(id.posX));
}

TEST(AreaPage, ColourPickerStartsFromStoredValuesAndWritesTheChoiceBack) {
  AreaSettings v = defaultAreaSettings(1);  // 255, 0, 0
  test::FakeControls c = pageShowing(1, v);
  const AreaPageIds& id = areaPageIds(1);
  c.texts[id.red] = "10";
  c.texts[id.green] = "20";
  c.texts[id.blue] = "30";
  EXPECT_EQ(pickerStartColour(v.R, v.G, v.B), (Rgb{255, 0, 0})) << "the typed text is not the start";
  EXPECT_EQ(pickerStartColour(300, -5, 128), (Rgb{255, 0, 128}));
  acceptAreaColour(1, v, Rgb{1, 2, 3}, c);
  EXPECT_EQ(v.R, 1);
  EXPECT_EQ(v.G, 2);
  EXPECT_EQ(v.B, 3);
  EXPECT_EQ(c.texts[id.red] + "," + c.texts[id.green] + "," + c.texts[id.blue], "1,2,3");
}

}  // namespace
}  // namespace mdx
