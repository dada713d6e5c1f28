#include "engine/gbk.h"

#include <windows.h>

namespace brindel {

std::wstring widenGbk(const Text& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(kGbkCodePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(kGbkCodePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

Text narrowGbk(const wchar_t* text, int length) {
  if (text == nullptr || length <= 0) return {};
  const int size = WideCharToMultiByte(kGbkCodePage, 0, text, length, nullptr, 0, nullptr, nullptr);
  Text narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(kGbkCodePage, 0, text, length, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

Text narrowGbk(const std::wstring& text) {
  return narrowGbk(text.data(), static_cast<int>(text.size()));
}

Text gbk(std::u8string_view utf8) {
  if (utf8.empty()) return {};
  const auto* bytes = reinterpret_cast<const char*>(utf8.data());
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, bytes, size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes, size, wide.data(), length);
  return narrowGbk(wide);
}

}  // namespace brindel
