// Little-endian output for the binary formats of the race and the demo map.
//
// Every Warcraft III file we write is little-endian whatever the machine, so
// values go out byte by byte instead of through memcpy of host integers.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace qvrace {

using Bytes = std::vector<std::uint8_t>;

class ByteWriter {
public:
  void U8(std::uint8_t v) { out_.push_back(v); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v & 0xFF));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
      U8(static_cast<std::uint8_t>((v >> shift) & 0xFF));
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void F32(float v) {
    std::uint32_t bits;
    static_assert(sizeof bits == sizeof v, "IEEE single precision expected");
    std::memcpy(&bits, &v, sizeof bits);
    U32(bits);
  }
  // A four-character code as it appears in the file ("MDLX", "hfoo"); ids are
  // stored in reading order, not as an integer.
  void Tag(const char (&tag)[5]) { Raw(tag, 4); }
  void Id(const std::string& id) {
    std::string four = id;
    four.resize(4, '\0');
    Raw(four.data(), 4);
  }
  // A zero-terminated string.
  void CString(const std::string& s) {
    Raw(s.data(), s.size());
    U8(0);
  }
  // A string in a fixed-size field, padded with zeros (and cut if too long).
  void FixedString(const std::string& s, std::size_t size) {
    const std::size_t n = s.size() < size ? s.size() : size;
    Raw(s.data(), n);
    for (std::size_t i = n; i < size; ++i)
      U8(0);
  }
  void Raw(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    out_.insert(out_.end(), p, p + size);
  }
  void Append(const Bytes& b) { out_.insert(out_.end(), b.begin(), b.end()); }
  void Zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }

  // Overwrites a 32-bit value written earlier, for sizes known only afterwards.
  void PatchU32(std::size_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      out_[offset + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
  }

  std::size_t Size() const { return out_.size(); }
  const Bytes& Data() const { return out_; }
  Bytes Take() { return std::move(out_); }

private:
  Bytes out_;
};

} // namespace qvrace
