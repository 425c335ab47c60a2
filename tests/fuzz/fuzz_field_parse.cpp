// The dialogs' integer fields: any text typed into a field, with any range.
//
// Properties: a field is an integer exactly when it is blanks, an optional sign, decimal
// digits and blanks; an accepted value is the number written (checked against an independent
// reading of the digits) and lies in the range; a refused value says why; the range message
// names both bounds.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "dialogfw/field_parse.h"
#include "fuzz_check.h"

namespace {

using namespace mdx;

bool blank(char c) { return c == ' ' || c == '\t'; }
bool digit(char c) { return c >= '0' && c <= '9'; }

// The number a field shows, read the long way: the digits without leading zeros, as text,
// with the sign; empty when the text is not an integer.
std::string writtenNumber(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && blank(text[b])) ++b;
  while (e > b && blank(text[e - 1])) --e;
  std::string sign;
  if (b < e && (text[b] == '+' || text[b] == '-')) {
    if (text[b] == '-') sign = "-";
    ++b;
  }
  if (b == e) return std::string();
  for (size_t i = b; i < e; ++i)
    if (!digit(text[i])) return std::string();
  while (b + 1 < e && text[b] == '0') ++b;
  const std::string digits = text.substr(b, e - b);
  return digits == "0" ? digits : sign + digits;
}

// Whether a written number fits 32 bits, by comparing decimal texts.
bool fitsInt32(const std::string& number) {
  const bool negative = !number.empty() && number[0] == '-';
  const std::string digits = negative ? number.substr(1) : number;
  const std::string limit = negative ? "2147483648" : "2147483647";
  if (digits.size() != limit.size()) return digits.size() < limit.size();
  return digits <= limit;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const bool ranged = in.ConsumeBool();
  const int32_t min = in.ConsumeIntegral<int32_t>();
  const int32_t max = in.ConsumeIntegral<int32_t>();
  const std::string text = in.ConsumeRemainingBytesAsString();

  const IntFieldResult r = parseIntField(text, ranged, min, max);
  const std::string number = writtenNumber(text);
  if (number.empty()) {
    FUZZ_CHECK(r.status == IntFieldStatus::NotInteger, "a text that is no integer is refused as such");
  } else if (!fitsInt32(number)) {
    FUZZ_CHECK(r.status == IntFieldStatus::OutOfRange, "a number beyond 32 bits is out of range");
  } else {
    const bool inRange = !ranged || (std::stoll(number) >= min && std::stoll(number) <= max);
    FUZZ_CHECK(r.status == (inRange ? IntFieldStatus::Ok : IntFieldStatus::OutOfRange),
               "a 32-bit number is accepted exactly when it lies in the range");
    FUZZ_CHECK(std::to_string(r.value) == number, "the value is the number written");
  }

  const std::string message = rangeMessage(min, max);
  FUZZ_CHECK(message.find(std::to_string(min)) == 0, "the message starts with the lower bound");
  FUZZ_CHECK(message.find(" から " + std::to_string(max) + " までの整数を入力してください。") != std::string::npos,
             "the message names the upper bound");
  return 0;
}
