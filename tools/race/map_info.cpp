#include "map_info.h"

#include <stdexcept>

namespace qvrace {

Bytes EncodeMapInfo(const MapLayout& l) {
  ByteWriter w;
  w.I32(kMapInfoVersion);
  w.I32(1);
  w.I32(6059); // the Frozen Throne editor's build number
  w.CString(l.name_string);
  w.CString(l.author_string);
  w.CString(l.description_string);
  w.CString(l.players_string);
  const Bounds c = CameraBounds(l);
  for (float v : {c.left, c.bottom, c.right, c.top, c.left, c.top, c.right, c.bottom})
    w.F32(v);
  w.I32(l.margin_left);
  w.I32(l.margin_right);
  w.I32(l.margin_bottom);
  w.I32(l.margin_top);
  w.I32(l.width - l.margin_left - l.margin_right);
  w.I32(l.height - l.margin_bottom - l.margin_top);
  w.I32(kMapFlagMelee);
  w.U8(static_cast<std::uint8_t>(l.tileset));
  w.I32(-1);
  w.CString("");
  w.CString("");
  w.CString("");
  w.CString("");
  w.I32(0);
  for (int i = 0; i < 4; ++i)
    w.CString("");
  w.I32(0);
  w.F32(3000);
  w.F32(5000);
  w.F32(0.5f);
  w.Raw("\x00\x00\x00\xFF", 4);
  w.I32(0);
  w.CString("");
  w.U8(0);
  w.Raw("\xFF\xFF\xFF\xFF", 4);

  w.I32(static_cast<std::int32_t>(l.players.size()));
  for (std::size_t i = 0; i < l.players.size(); ++i) {
    const PlayerSlot& p = l.players[i];
    w.I32(static_cast<std::int32_t>(i));
    w.I32(1);
    w.I32(p.race);
    w.I32(1);
    w.CString(p.name_string);
    w.F32(p.start_x);
    w.F32(p.start_y);
    w.I32(0);
    // Every other player's start location is a high priority ally spot.
    w.I32(static_cast<std::int32_t>(((1u << l.players.size()) - 1) & ~(1u << i)));
  }
  w.I32(1);
  w.I32(0);
  w.I32(static_cast<std::int32_t>((1u << l.players.size()) - 1));
  w.CString(l.force_string);
  w.I32(0);
  w.I32(0);
  w.I32(0);
  w.I32(0);
  return w.Take();
}

Bytes EncodeMapHeader(const std::string& map_name, std::int32_t flags, std::int32_t players) {
  ByteWriter w;
  w.Tag("HM3W");
  w.I32(0);
  w.CString(map_name);
  w.I32(flags);
  w.I32(players);
  if (w.Size() > kMapHeaderSize) throw std::length_error("map name too long for the header");
  w.Zeros(kMapHeaderSize - w.Size());
  return w.Take();
}

} // namespace qvrace
