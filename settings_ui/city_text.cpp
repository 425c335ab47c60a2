#include "settings_ui/city_text.h"

#include "raster/font.h"

namespace mdx {

namespace {

// Half-width forms of U+30A1 (ァ) to U+30FC (ー), in code point order.
const char* const kHalfKatakana[] = {
    "ｧ", "ｱ", "ｨ", "ｲ", "ｩ", "ｳ", "ｪ", "ｴ", "ｫ", "ｵ",                                  // ァ..オ
    "ｶ", "ｶﾞ", "ｷ", "ｷﾞ", "ｸ", "ｸﾞ", "ｹ", "ｹﾞ", "ｺ", "ｺﾞ",                          // カ..ゴ
    "ｻ", "ｻﾞ", "ｼ", "ｼﾞ", "ｽ", "ｽﾞ", "ｾ", "ｾﾞ", "ｿ", "ｿﾞ",                          // サ..ゾ
    "ﾀ", "ﾀﾞ", "ﾁ", "ﾁﾞ", "ｯ", "ﾂ", "ﾂﾞ", "ﾃ", "ﾃﾞ", "ﾄ", "ﾄﾞ",                     // タ..ド
    "ﾅ", "ﾆ", "ﾇ", "ﾈ", "ﾉ",                                                            // ナ..ノ
    "ﾊ", "ﾊﾞ", "ﾊﾟ", "ﾋ", "ﾋﾞ", "ﾋﾟ", "ﾌ", "ﾌﾞ", "ﾌﾟ", "ﾍ", "ﾍﾞ", "ﾍﾟ", "ﾎ", "ﾎﾞ", "ﾎﾟ",  // ハ..ポ
    "ﾏ", "ﾐ", "ﾑ", "ﾒ", "ﾓ", "ｬ", "ﾔ", "ｭ", "ﾕ", "ｮ", "ﾖ",                           // マ..ヨ
    "ﾗ", "ﾘ", "ﾙ", "ﾚ", "ﾛ", "ﾜ", "ﾜ", "ｲ", "ｴ", "ｦ", "ﾝ",                           // ラ..ン
    "ｳﾞ", "ｶ", "ｹ", "ﾜﾞ", "ｲﾞ", "ｴﾞ", "ｦﾞ", "･", "ｰ",                                 // ヴ..ー
};
constexpr char32_t kFirstKatakana = 0x30A1, kLastKatakana = 0x30FC;
static_assert(sizeof(kHalfKatakana) / sizeof(kHalfKatakana[0]) == kLastKatakana - kFirstKatakana + 1,
              "one half-width form per katakana");

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Appends the half-width form of c, when it has one; false when it has none.
bool appendHalfWidth(std::string& out, char32_t c) {
  if (c >= kFirstKatakana && c <= kLastKatakana) {
    out += kHalfKatakana[c - kFirstKatakana];
    return true;
  }
  switch (c) {
    case U'「': out += "｢"; return true;
    case U'」': out += "｣"; return true;
    case U'。': out += "｡"; return true;
    case U'、': out += "､"; return true;
    case U'゛': out += "ﾞ"; return true;
    case U'゜': out += "ﾟ"; return true;
    default: return false;
  }
}

}  // namespace

std::string halfWidthKatakana(const std::string& utf8) {
  std::string out;
  for (size_t pos = 0; pos < utf8.size();) {
    const size_t start = pos;
    const char32_t c = decodeUtf8(utf8, pos);
    if (!appendHalfWidth(out, c)) out.append(utf8, start, pos - start);
  }
  return out;
}

std::string searchFold(const std::string& utf8) {
  std::string out;
  for (size_t pos = 0; pos < utf8.size();) {
    char32_t c = decodeUtf8(utf8, pos);
    if (c >= 0x3041 && c <= 0x3096) c += 0x60;                // hiragana -> katakana
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;              // full-width ASCII
    if (c == 0x3000) c = U' ';                                // ideographic space
    if (c >= U'A' && c <= U'Z') c += U'a' - U'A';
    if (!appendHalfWidth(out, c)) appendUtf8(out, c);
  }
  return out;
}

}  // namespace mdx
