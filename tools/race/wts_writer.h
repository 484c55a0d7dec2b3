// Trigger string files (war3map.wts and the race's war3map_2.wts).
//
// Text, CRLF line ends. Each string is a block
//   STRING <n>
//   {
//   <text, possibly several lines>
//   }
//   <empty line>
// and is referred to elsewhere as "TRIGSTR_<n>" with at least three digits.
// Maps saved by the editor start with a UTF-8 byte-order mark; the race's own
// file must not, because the install appends it to the map's strings.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "byte_writer.h"

namespace qvrace {

// Hands out string numbers in order, starting at `first`.
class StringTable {
public:
  explicit StringTable(unsigned first) : next_(first) {}
  // Adds `text` and returns the reference to it ("TRIGSTR_025").
  std::string Add(const std::string& text);
  const std::vector<std::pair<unsigned, std::string>>& Entries() const { return entries_; }

private:
  unsigned next_;
  std::vector<std::pair<unsigned, std::string>> entries_;
};

std::string TrigStrRef(unsigned id);

Bytes EncodeWts(const std::vector<std::pair<unsigned, std::string>>& strings, bool byte_order_mark);

} // namespace qvrace
