#pragma once
// Text forms of city names: the half-width katakana an AREA's name box uses, and the folded
// form the city search compares, in which hiragana, full-width and half-width katakana, and
// upper- and lower-case letters (full-width too) read alike.
#include <string>

namespace mdx {

// Full-width katakana (and the long-vowel mark, the middle dot and the corner brackets) in
// their half-width forms, voiced sounds as two characters (ガ -> ｶﾞ); everything else as it is.
std::string halfWidthKatakana(const std::string& utf8);

// The form in which a query and a name are compared: hiragana as katakana, then half-width
// katakana as above, full-width ASCII and the ideographic space as ASCII, letters lower case.
std::string searchFold(const std::string& utf8);

}  // namespace mdx
