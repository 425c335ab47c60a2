#pragma once
// Rules of the dialogs' integer fields: what text is an integer, and the messages shown when a
// field is not one or is out of its range.
#include <cstdint>
#include <optional>
#include <string>

namespace mdx {

// An optionally signed decimal integer with blanks or tabs around it. Anything else (empty
// text, trailing junk, a lone sign) is not an integer.
enum class IntFieldStatus { Ok, NotInteger, OutOfRange };
struct IntFieldResult {
  IntFieldStatus status = IntFieldStatus::NotInteger;
  int32_t value = 0;
};

// Parses a field and checks it against [min, max] when `ranged`. Digits that do not fit 32 bits
// are refused as out of range (never wrapped).
IntFieldResult parseIntField(const std::string& text, bool ranged = false, int32_t min = 0, int32_t max = 0);

// "整数を入力してください。"
extern const char kIntegerMessage[];
// "%1 から %2 までの整数を入力してください。" with the bounds in signed decimal.
std::string rangeMessage(int32_t min, int32_t max);

}  // namespace mdx
