// The JSON writer on its own: the one place where escaping can go wrong quietly.
#include <gtest/gtest.h>

#include "json.h"

namespace qvcli {
namespace {

TEST(JsonString, EscapesWhatJsonForbidsAndReplacesBrokenUtf8) {
  const std::pair<std::string, std::string> cases[] = {
      {"Copy.", "\"Copy.\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"line\r\nnext\ttab\b\f", "\"line\\r\\nnext\\ttab\\b\\f\""},
      {std::string("\x01\x1f", 2) + std::string(1, '\0'), "\"\\u0001\\u001f\\u0000\""},
      {"\xC3\x9C"
       "bertragung. \xE2\x82\xAC \xF0\x9F\x8E\xAE",
       "\"\xC3\x9C"
       "bertragung. \xE2\x82\xAC \xF0\x9F\x8E\xAE\""},
      // Latin-1, a cut sequence, an overlong slash and a surrogate.
      {"\xFC"
       "ber",
       "\"\\ufffdber\""},
      {"x\xC3", "\"x\\ufffd\""},
      {"\xC0\xAF", "\"\\ufffd\\ufffd\""},
      {"\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\""},
  };
  for (const auto& [text, json] : cases)
    EXPECT_EQ(JsonString(text), json) << text;
}

} // namespace
} // namespace qvcli
