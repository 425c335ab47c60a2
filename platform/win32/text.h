#pragma once
// UTF-8 (the core's texts) to UTF-16 (the W APIs) and back.
#include <string>

namespace mdx::win {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);
std::string narrow(const wchar_t* utf16);

}  // namespace mdx::win
