// Small readers for the generated files, written apart from the writers so
// that a mistake in a writer is not repeated here.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace racetest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path.string());
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline std::string AsText(const Bytes& b) {
  return std::string(b.begin(), b.end());
}

// Where an archive name lies below a folder on disk.
inline std::filesystem::path OnDisk(const std::filesystem::path& dir, std::string archive_name) {
  for (char& c : archive_name)
    if (c == '\\') c = '/';
  return dir / archive_name;
}

// Reads little-endian values and throws when it runs past the end, so a
// malformed file fails the test instead of reading garbage.
class Reader {
public:
  explicit Reader(const Bytes& data, std::size_t pos = 0) : d_(data), pos_(pos) {}

  std::uint8_t U8() {
    Need(1);
    return d_[pos_++];
  }
  std::uint16_t U16() {
    Need(2);
    const std::uint16_t v = static_cast<std::uint16_t>(d_[pos_] | d_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
  }
  std::uint32_t U32() {
    Need(4);
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
      v = v << 8 | d_[pos_ + i];
    pos_ += 4;
    return v;
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  float F32() {
    const std::uint32_t bits = U32();
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
  }
  std::string Chars(std::size_t n) {
    Need(n);
    std::string s(d_.begin() + static_cast<long>(pos_), d_.begin() + static_cast<long>(pos_ + n));
    pos_ += n;
    return s;
  }
  std::string CStr() {
    std::string s;
    for (char c; (c = static_cast<char>(U8())) != '\0';)
      s += c;
    return s;
  }
  // A fixed-size, zero-padded text field.
  std::string Field(std::size_t n) {
    const std::string raw = Chars(n);
    return raw.substr(0, raw.find('\0'));
  }
  void Skip(std::size_t n) {
    Need(n);
    pos_ += n;
  }
  void Seek(std::size_t pos) {
    if (pos > d_.size()) throw std::out_of_range("seek past the end");
    pos_ = pos;
  }
  std::size_t Pos() const { return pos_; }
  bool AtEnd() const { return pos_ == d_.size(); }
  std::size_t Left() const { return d_.size() - pos_; }

private:
  void Need(std::size_t n) const {
    if (pos_ + n > d_.size()) throw std::out_of_range("read past the end at " + std::to_string(pos_));
  }
  const Bytes& d_;
  std::size_t pos_;
};

// A fresh folder under the system's temp folder, removed with the object.
class TempDir {
public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("qvrace-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& Path() const { return path_; }

private:
  std::filesystem::path path_;
};

// war3map.wts: string number -> text. Checks the block syntax as it goes.
inline std::map<unsigned, std::string> ParseWts(std::string text) {
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t nl; (nl = text.find("\r\n", start)) != std::string::npos; start = nl + 2)
    lines.push_back(text.substr(start, nl - start));
  if (start != text.size()) throw std::runtime_error("text after the last line end");
  std::map<unsigned, std::string> out;
  for (std::size_t i = 0; i < lines.size();) {
    if (lines[i].empty()) {
      ++i;
      continue;
    }
    if (lines[i].rfind("STRING ", 0) != 0) throw std::runtime_error("expected STRING: " + lines[i]);
    const unsigned id = static_cast<unsigned>(std::stoul(lines[i].substr(7)));
    // The editor may put "// ..." comment lines before the opening brace.
    std::size_t open = i + 1;
    while (open < lines.size() && lines[open].rfind("//", 0) == 0)
      ++open;
    if (open >= lines.size() || lines[open] != "{") throw std::runtime_error("expected {");
    std::string body;
    std::size_t j = open + 1;
    for (; j < lines.size() && lines[j] != "}"; ++j)
      body += (body.empty() ? "" : "\n") + lines[j];
    if (j == lines.size()) throw std::runtime_error("unclosed string " + std::to_string(id));
    if (!out.emplace(id, body).second) throw std::runtime_error("string defined twice");
    i = j + 1;
  }
  return out;
}

// Every "TRIGSTR_n" in a text, as numbers.
inline std::vector<unsigned> TrigStrRefs(const std::string& text) {
  std::vector<unsigned> refs;
  for (std::size_t at = 0; (at = text.find("TRIGSTR_", at)) != std::string::npos;) {
    at += 8;
    std::size_t end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
      ++end;
    if (end > at) refs.push_back(static_cast<unsigned>(std::stoul(text.substr(at, end - at))));
  }
  return refs;
}

// war3map.wtg in version 7, as far as our maps use it (functions without
// parameters).
struct WtgTrigger {
  std::string name;
  bool custom_text = false;
  int category = 0;
  std::vector<std::pair<int, std::string>> functions; // kind, name
};

inline std::vector<WtgTrigger> ParseWtg(const Bytes& data) {
  Reader r(data);
  if (r.Chars(4) != "WTG!") throw std::runtime_error("no WTG! tag");
  if (r.I32() != 7) throw std::runtime_error("not version 7");
  const int categories = r.I32();
  for (int i = 0; i < categories; ++i) {
    r.I32();
    r.CStr();
    r.I32();
  }
  r.I32();
  if (r.I32() != 0) throw std::runtime_error("variables not expected");
  std::vector<WtgTrigger> out(static_cast<std::size_t>(r.I32()));
  for (WtgTrigger& t : out) {
    t.name = r.CStr();
    r.CStr(); // description
    r.I32();  // comment
    r.I32();  // enabled
    t.custom_text = r.I32() != 0;
    r.I32(); // initially off
    r.I32(); // run on init
    t.category = r.I32();
    if (t.category < 0 || t.category >= categories) throw std::runtime_error("no such category");
    const int functions = r.I32();
    for (int f = 0; f < functions; ++f) {
      const int kind = r.I32();
      std::string name = r.CStr();
      r.I32();
      if (r.I32() != 0) throw std::runtime_error("nested functions not expected");
      t.functions.emplace_back(kind, std::move(name));
    }
  }
  if (!r.AtEnd()) throw std::runtime_error("bytes after the triggers");
  return out;
}

// war3map.wct in version 1: the text of each trigger (empty for GUI ones).
inline std::vector<std::string> ParseWct(const Bytes& data) {
  Reader r(data);
  if (r.I32() != 1) throw std::runtime_error("not version 1");
  r.CStr();
  r.Skip(static_cast<std::size_t>(r.I32()));
  std::vector<std::string> out(static_cast<std::size_t>(r.I32()));
  for (std::string& text : out) {
    const std::uint32_t size = r.U32();
    if (size == 0) continue;
    text = r.Chars(size);
    if (text.back() != '\0') throw std::runtime_error("trigger text without its zero byte");
    text.pop_back();
  }
  if (!r.AtEnd()) throw std::runtime_error("bytes after the texts");
  return out;
}

// The editor's identifier for a trigger name.
inline std::string TriggerId(const std::string& name) {
  std::string id;
  for (char c : name)
    id += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return id;
}

} // namespace racetest
