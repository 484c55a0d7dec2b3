#include "json.h"

#include <cstdio>

namespace qvcli {
namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0 when it is not one
// (overlong forms, surrogates and values past U+10FFFF included).
std::size_t Utf8Length(const std::string& text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  std::size_t length;
  unsigned min;
  unsigned code;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, code = lead & 0x07u;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3Fu);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

} // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    switch (c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\t':
      out += "\\t";
      break;
    case '\b':
      out += "\\b";
      break;
    case '\f':
      out += "\\f";
      break;
    default:
      if (c < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
        out += escaped;
      } else if (std::size_t length = Utf8Length(text, i)) {
        out.append(text, i, length);
        i += length;
        continue;
      } else {
        out += "\\ufffd";
      }
    }
    ++i;
  }
  out += '"';
  return out;
}

JsonObject& JsonObject::AddRaw(const char* key, const std::string& json) {
  if (text_.size() > 1) text_ += ',';
  text_ += JsonString(key);
  text_ += ':';
  text_ += json;
  return *this;
}

JsonObject& JsonObject::Add(const char* key, const std::string& value) {
  return AddRaw(key, JsonString(value));
}

JsonObject& JsonObject::Add(const char* key, bool value) {
  return AddRaw(key, value ? "true" : "false");
}

JsonObject& JsonObject::Add(const char* key, long long value) {
  return AddRaw(key, std::to_string(value));
}

JsonObject& JsonObject::Add(const char* key, const std::vector<std::string>& values) {
  std::string list = "[";
  for (const std::string& value : values) {
    if (list.size() > 1) list += ',';
    list += JsonString(value);
  }
  return AddRaw(key, list + "]");
}

} // namespace qvcli
