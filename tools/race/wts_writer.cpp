#include "wts_writer.h"

#include <cstdio>
#include <stdexcept>

namespace qvrace {

std::string TrigStrRef(unsigned id) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "TRIGSTR_%03u", id);
  return buf;
}

std::string StringTable::Add(const std::string& text) {
  entries_.emplace_back(next_, text);
  return TrigStrRef(next_++);
}

Bytes EncodeWts(const std::vector<std::pair<unsigned, std::string>>& strings, bool byte_order_mark) {
  std::string out;
  if (byte_order_mark) out += "\xEF\xBB\xBF";
  for (const auto& entry : strings) {
    // A "}" alone on a line would end the block early.
    if (entry.second.find('}') != std::string::npos)
      throw std::invalid_argument("trigger string holds a closing brace");
    out += "STRING " + std::to_string(entry.first) + "\r\n{\r\n";
    for (char c : entry.second) {
      if (c == '\r') continue;
      if (c == '\n')
        out += "\r\n";
      else
        out += c;
    }
    out += "\r\n}\r\n\r\n";
  }
  return Bytes(out.begin(), out.end());
}

} // namespace qvrace
