#include "terrain.h"

#include <cmath>

#include "art.h"

namespace qvrace {
namespace {

bool Playable(const MapLayout& l, float tile_x, float tile_y) {
  return tile_x >= Float(l.margin_left) && tile_x <= Float(l.width - l.margin_right) &&
         tile_y >= Float(l.margin_bottom) && tile_y <= Float(l.height - l.margin_top);
}

// Grass everywhere, grassy dirt in soft patches, bare dirt around the start
// locations where the buildings will stand.
int GroundType(const MapLayout& l, int x, int y) {
  const float wx = l.left + Float(x) * kTileSize, wy = l.bottom + Float(y) * kTileSize;
  for (const PlayerSlot& p : l.players)
    if (std::hypot(wx - p.start_x, wy - p.start_y) < 320) return 0;
  return std::sin(Float(x) * 0.7f) * std::cos(Float(y) * 0.5f) > 0.55f ? 2 : 1;
}

} // namespace

Bytes EncodeTerrain(const MapLayout& l) {
  ByteWriter w;
  w.Tag("W3E!");
  w.I32(11);
  w.U8(static_cast<std::uint8_t>(l.tileset));
  w.I32(0);
  w.I32(3);
  w.Tag("Ldrt"); // 0 dirt
  w.Tag("Lgrs"); // 1 grass
  w.Tag("Lgrd"); // 2 grassy dirt
  w.I32(1);
  w.Tag("CLdi"); // dirt cliffs (the map has none, the editor wants one type)
  w.I32(l.width + 1);
  w.I32(l.height + 1);
  w.F32(l.left);
  w.F32(l.bottom);
  for (int y = 0; y <= l.height; ++y) {
    for (int x = 0; x <= l.width; ++x) {
      const bool playable = Playable(l, static_cast<float>(x), static_cast<float>(y));
      w.U16(0x2000);
      w.U16(static_cast<std::uint16_t>(0x1E00 | (playable ? 0 : 0x4000)));
      w.U8(static_cast<std::uint8_t>(GroundType(l, x, y)));
      w.U8(static_cast<std::uint8_t>((x * 7 + y * 13) % 8));
      w.U8(0x02);
    }
  }
  return w.Take();
}

Bytes EncodeShadows(const MapLayout& l) {
  return Bytes(static_cast<std::size_t>(l.width) * l.height * 16, 0x00);
}

Bytes EncodePathing(const MapLayout& l) {
  ByteWriter w;
  w.Tag("MP3W");
  w.I32(0);
  w.I32(l.width * 4);
  w.I32(l.height * 4);
  for (int y = 0; y < l.height * 4; ++y)
    for (int x = 0; x < l.width * 4; ++x)
      w.U8(Playable(l, (Float(x) + 0.5f) / 4, (Float(y) + 0.5f) / 4) ? 0x40 : 0xCE);
  return w.Take();
}

PalettedImage RenderMinimap(const MapLayout& l, int size) {
  PalettedImage img;
  img.width = img.height = size;
  img.palette = RacePalette(40.0f);
  img.indices.resize(static_cast<std::size_t>(size) * size);
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      // Picture rows run from the top, the map's tiles from the bottom.
      const float tx = (Float(px) + 0.5f) / Float(size) * Float(l.width);
      const float ty = (Float(size - py) - 0.5f) / Float(size) * Float(l.height);
      float light = 0.02f;
      if (Playable(l, tx, ty)) {
        const int type = GroundType(l, static_cast<int>(tx), static_cast<int>(ty));
        light = type == 0 ? 0.75f : type == 2 ? 0.5f : 0.42f;
        light += 0.04f * std::sin(tx * 3.1f + ty * 1.7f);
      }
      img.indices[static_cast<std::size_t>(py) * size + px] =
          static_cast<std::uint8_t>(std::lround(light * 127));
    }
  }
  return img;
}

} // namespace qvrace
