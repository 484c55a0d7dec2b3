#include "placements.h"

#include <string>

namespace qvrace {

Bytes EncodeDoodads() {
  ByteWriter w;
  w.Tag("W3do");
  w.I32(8);
  w.I32(11);
  w.I32(0);
  w.I32(0);
  w.I32(0);
  return w.Take();
}

namespace {

void WriteUnit(ByteWriter& w, const char* type, float x, float y, std::int32_t owner, std::int32_t gold,
               std::int32_t creation) {
  w.Id(type);
  w.I32(0);
  w.F32(x);
  w.F32(y);
  w.F32(0);
  w.F32(4.712389f); // facing south (270 degrees), as the editor places buildings
  w.F32(1);
  w.F32(1);
  w.F32(1);
  w.U8(2);
  w.I32(owner);
  w.U8(0);
  w.U8(0);
  w.I32(-1);
  w.I32(-1);
  w.I32(-1);
  w.I32(0);
  w.I32(gold);
  w.F32(-1);
  w.I32(1);
  w.I32(0);
  w.I32(0);
  w.I32(0);
  w.I32(0);
  w.I32(0);
  w.I32(0);
  w.Raw("\x01\x00\x00\x00", 4); // level 1, any item class
  w.I32(-1);
  w.I32(-1);
  w.I32(creation);
}

} // namespace

Bytes EncodeUnits(const MapLayout& l) {
  ByteWriter w;
  w.Tag("W3do");
  w.I32(8);
  w.I32(11);
  w.I32(static_cast<std::int32_t>(l.players.size() + l.mines.size()));
  std::int32_t creation = 0;
  for (std::size_t i = 0; i < l.players.size(); ++i)
    WriteUnit(w, "sloc", l.players[i].start_x, l.players[i].start_y, static_cast<std::int32_t>(i), 12500,
              creation++);
  for (const GoldMine& m : l.mines)
    WriteUnit(w, "ngol", m.x, m.y, 15, m.gold, creation++);
  return w.Take();
}

} // namespace qvrace
