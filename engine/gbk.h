#pragma once
// The one place where texts cross between GBK and UTF-16 (the automation objects' side).

#include <string>
#include <string_view>

#include "engine/text.h"

namespace brindel {

inline constexpr unsigned kGbkCodePage = 936;

std::wstring widenGbk(const Text& text);
Text narrowGbk(const std::wstring& text);
Text narrowGbk(const wchar_t* text, int length);

// The program's literal texts are UTF-8 in the sources (u8"..."); this is how they become GBK.
Text gbk(std::u8string_view utf8);

}  // namespace brindel
