// The engine speaks UTF-8; the window's W functions take UTF-16. These convert
// between the two, so umlauts reach the screen whatever the system's code page.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qvgui {

// A UTF-16 copy of a UTF-8 text, alive as long as the object.
class Wide {
public:
  explicit Wide(const char* utf8);
  explicit Wide(const std::string& utf8) : Wide(utf8.c_str()) {}
  const WCHAR* get() const { return text_.data(); }

private:
  std::vector<WCHAR> text_;
};

std::string ToUtf8(const WCHAR* text);

} // namespace qvgui
