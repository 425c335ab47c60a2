// The integer-field rules shared by every dialog, and the dialogs' data exchange: loading,
// taking back in order, stopping at the first bad field.
#include <gtest/gtest.h>

#include "dialogfw/field_parse.h"
#include "dialogfw/field_exchange.h"
#include "tests/unit/dialogfw_test_support.h"

namespace mdx {
namespace {

TEST(IntField, AcceptsOptionallySignedDecimalWithBlanksAndTabsAround) {
  EXPECT_EQ(parseIntField("42").value, 42);
  EXPECT_EQ(parseIntField("-7").value, -7);
  EXPECT_EQ(parseIntField("+7").value, 7);
  EXPECT_EQ(parseIntField(" \t-20\t ").value, -20);
  EXPECT_EQ(parseIntField("007").value, 7);
  EXPECT_EQ(parseIntField("-0").status, IntFieldStatus::Ok);
  EXPECT_EQ(parseIntField("-2147483648").value, INT32_MIN);
  EXPECT_EQ(parseIntField("2147483647").value, INT32_MAX);
}

TEST(IntField, RefusesEverythingElseAsNotAnInteger) {
  for (const char* bad : {"", " ", "\t", "-", "+", "1 2", "12a", "a12", "1.5", "--1", "+-1", "0x10", "１２",
                          "1\n", "\n1", "- 1"})
    EXPECT_EQ(parseIntField(bad, true, -50, 50).status, IntFieldStatus::NotInteger) << '"' << bad << '"';
}

TEST(IntField, DigitsBeyond32BitsAreOutOfRangeNeverWrapped) {
  for (const char* big : {"2147483648", "-2147483649", "4294967296", "4294967346", "99999999999999999999999",
                          "-99999999999999999999999"}) {
    EXPECT_EQ(parseIntField(big).status, IntFieldStatus::OutOfRange) << big;
    // 4294967346 would wrap to 50, which a range of -50..50 would accept.
    EXPECT_EQ(parseIntField(big, true, -50, 50).status, IntFieldStatus::OutOfRange) << big;
  }
}

TEST(IntField, RangeIsInclusive) {
  EXPECT_EQ(parseIntField("4", true, -20, 4).status, IntFieldStatus::Ok);
  EXPECT_EQ(parseIntField("-20", true, -20, 4).status, IntFieldStatus::Ok);
  EXPECT_EQ(parseIntField("5", true, -20, 4).status, IntFieldStatus::OutOfRange);
  EXPECT_EQ(parseIntField("-21", true, -20, 4).status, IntFieldStatus::OutOfRange);
}

TEST(IntField, MessagesCarryTheBoundsInSignedDecimal) {
  EXPECT_STREQ(kIntegerMessage, "整数を入力してください。");
  EXPECT_EQ(rangeMessage(-50, 50), "-50 から 50 までの整数を入力してください。");
  EXPECT_EQ(rangeMessage(-20, 4), "-20 から 4 までの整数を入力してください。");
  EXPECT_EQ(rangeMessage(0, 255), "0 から 255 までの整数を入力してください。");
  EXPECT_EQ(rangeMessage(INT32_MIN, INT32_MAX), "-2147483648 から 2147483647 までの整数を入力してください。");
}

struct Sample {
  std::string name;
  int32_t a = 0, b = 0, flag = 0, choice = 0;
};

std::vector<Field> sampleFields(Sample& s) {
  using F = Field;
  return {F::textField(1, s.name), F::intField(2, s.a, -50, 50), F::intField(3, s.b), F::checkBox(4, s.flag),
          F::radioSet({10, 12, 11}, s.choice)};
}

TEST(FieldExchange, TakeBackStopsAtTheFirstBadFieldKeepingWhatWasReadBefore) {
  test::FakeControls c;
  c.texts = {{1, "ﾊﾟﾘ"}, {2, "51"}, {3, "9"}};
  c.checks = {{4, true}};
  Sample s{"old", 1, 2, 0, 0};
  const auto failure = takeBackFields(sampleFields(s), c);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->controlId, 2);
  EXPECT_EQ(failure->message, "-50 から 50 までの整数を入力してください。");
  EXPECT_EQ(s.name, "ﾊﾟﾘ");  // read before the failing field
  EXPECT_EQ(s.a, 1);
  EXPECT_EQ(s.b, 2);  // never reached
  EXPECT_EQ(c.reads, (std::vector<int>{1, 2}));

  c.texts[2] = "";
  EXPECT_EQ(takeBackFields(sampleFields(s), c)->message, kIntegerMessage);
  c.texts[2] = "-50";
  c.texts[3] = "99999999999";  // no range of its own: reported against the 32-bit range
  const auto tooLong = takeBackFields(sampleFields(s), c);
  ASSERT_TRUE(tooLong);
  EXPECT_EQ(tooLong->controlId, 3);
  EXPECT_EQ(tooLong->message, rangeMessage(INT32_MIN, INT32_MAX));
}

TEST(FieldExchange, CheckBoxesAndRadioSetsRoundTrip) {
  test::FakeControls c;
  Sample s{"x", 0, 0, 7, 2};
  loadFields(sampleFields(s), c);
  EXPECT_EQ(s.flag, 0) << "a stored value outside 0..2 is reset to 0";
  EXPECT_FALSE(c.checks[4]);
  EXPECT_TRUE(c.checks[11]) << "position 2 is the third id of the set, whatever its number";
  EXPECT_FALSE(c.checks[10]);
  EXPECT_FALSE(c.checks[12]);
  EXPECT_EQ(c.texts[2], "0");

  s.flag = 2;
  loadFields(sampleFields(s), c);
  EXPECT_EQ(s.flag, 2);
  EXPECT_TRUE(c.checks[4]) << "the box is given 2 and shows it checked, as the platform does";

  s.choice = 3;  // names no button
  loadFields(sampleFields(s), c);
  EXPECT_FALSE(c.checks[10] || c.checks[11] || c.checks[12]);
  c.texts[3] = "5";
  ASSERT_FALSE(takeBackFields(sampleFields(s), c));
  EXPECT_EQ(s.choice, -1) << "no button chosen";
  EXPECT_EQ(s.flag, 1) << "the stored 2 comes back as the checked box reports it";
  c.checks[12] = true;
  c.checks[4] = false;
  ASSERT_FALSE(takeBackFields(sampleFields(s), c));
  EXPECT_EQ(s.choice, 1);
  EXPECT_EQ(s.flag, 0);
}

}  // namespace
}  // namespace mdx
