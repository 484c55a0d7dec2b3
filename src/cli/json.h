// Just enough JSON to write one flat object per line for scripts that read us.
#pragma once

#include <string>
#include <vector>

namespace qvcli {

// `text` as a JSON string literal, quotes included. Control characters, quotes and
// backslashes are escaped; bytes that are not valid UTF-8 (a map path from an old
// Windows code page, say) become U+FFFD, so every line stays valid JSON.
std::string JsonString(const std::string& text);

// Builds {"key":value,...} in the order the fields are added.
class JsonObject {
public:
  JsonObject& Add(const char* key, const std::string& value);
  JsonObject& Add(const char* key, const char* value) { return Add(key, std::string(value)); }
  JsonObject& Add(const char* key, bool value);
  JsonObject& Add(const char* key, long long value);
  JsonObject& Add(const char* key, int value) { return Add(key, static_cast<long long>(value)); }
  JsonObject& Add(const char* key, const std::vector<std::string>& values);
  // A value already written as JSON.
  JsonObject& AddRaw(const char* key, const std::string& json);
  std::string str() const { return text_ + "}"; }

private:
  std::string text_ = "{";
};

} // namespace qvcli
