#pragma once
// What one complete save of the settings writes, for tests that count the stored values.
namespace mdx {

// 7 AREAs x 16 + 14 options + 4 window values + 13 timed-action values, of which 11 are texts.
constexpr int kSavedValueCount = 143;
constexpr int kSavedTextCount = 11;

}  // namespace mdx
