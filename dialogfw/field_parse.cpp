#include "dialogfw/field_parse.h"

namespace mdx {

const char kIntegerMessage[] = "整数を入力してください。";

std::string rangeMessage(int32_t min, int32_t max) {
  return std::to_string(min) + " から " + std::to_string(max) + " までの整数を入力してください。";
}

IntFieldResult parseIntField(const std::string& text, bool ranged, int32_t min, int32_t max) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && blank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t digitsStart = i;
  bool tooLong = false;
  int64_t magnitude = 0;
  for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > 2147483648LL) {
      tooLong = true;
      magnitude = 2147483648LL;
    }
  }
  const bool anyDigit = i > digitsStart;
  while (i < n && blank(text[i])) ++i;
  if (!anyDigit || i != n) return {IntFieldStatus::NotInteger, 0};

  const int64_t value = negative ? -magnitude : magnitude;
  if (tooLong || value > INT32_MAX || value < INT32_MIN) return {IntFieldStatus::OutOfRange, 0};
  const int32_t v = static_cast<int32_t>(value);
  if (ranged && (v < min || v > max)) return {IntFieldStatus::OutOfRange, v};
  return {IntFieldStatus::Ok, v};
}

}  // namespace mdx
