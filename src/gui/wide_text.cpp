#include "wide_text.h"

namespace qvgui {

Wide::Wide(const char* utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  text_.assign(length > 0 ? static_cast<size_t>(length) : 1, 0);
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text_.data(), length);
}

std::string ToUtf8(const WCHAR* text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return std::string();
  std::string result(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &result[0], length, nullptr, nullptr);
  result.resize(static_cast<size_t>(length - 1)); // without the terminating zero
  return result;
}

} // namespace qvgui
