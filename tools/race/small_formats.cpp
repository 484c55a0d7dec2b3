#include "small_formats.h"

#include <cmath>
#include <string>

namespace qvrace {

Bytes EncodeNoSounds() {
  ByteWriter w;
  w.I32(1);
  w.I32(0);
  return w.Take();
}

Bytes GameConstantsText() {
  // Heroes of the grove grow a little slower but go further than the melee
  // races'; the rest are the game's values, written out so that the editor's
  // gameplay constants dialog shows what the race plays with.
  const std::string text = "[Misc]\r\n"
                           "MaxHeroLevel=12\r\n"
                           "HeroAbilityLevelSkip=2\r\n"
                           "StrHitPointBonus=25\r\n"
                           "StrRegenBonus=0.05\r\n"
                           "IntManaBonus=15\r\n"
                           "IntRegenBonus=0.05\r\n"
                           "AgiDefenseBonus=0.30\r\n"
                           "AgiAttackSpeedBonus=0.02\r\n"
                           "ReviveBaseFactor=0.40\r\n"
                           "ReviveLevelFactor=0.10\r\n"
                           "DayHours=24\r\n"
                           "DawnTimeGameHours=6.00\r\n"
                           "DuskTimeGameHours=18.00\r\n";
  return Bytes(text.begin(), text.end());
}

Bytes EncodeMinimapIcons(const MapLayout& layout) {
  // Player colours in the minimap's order: red, blue, teal, ...
  static const std::uint8_t kColours[][4] = {
      {0x03, 0x03, 0xFF, 0xFF}, {0xFF, 0x42, 0x00, 0xFF}, {0xB9, 0xE6, 0x1C, 0xFF}, {0x81, 0x00, 0x54, 0xFF}};
  const float world_w = Float(layout.width) * kTileSize, world_h = Float(layout.height) * kTileSize;
  auto map_x = [&](float x) {
    return static_cast<std::int32_t>(std::lround((x - layout.left) / world_w * 255));
  };
  // The minimap's y runs downwards, the world's upwards.
  auto map_y = [&](float y) {
    return static_cast<std::int32_t>(std::lround(255 - (y - layout.bottom) / world_h * 255));
  };
  ByteWriter w;
  w.I32(0);
  w.I32(static_cast<std::int32_t>(layout.mines.size() + layout.players.size()));
  for (const GoldMine& m : layout.mines) {
    w.I32(0);
    w.I32(map_x(m.x));
    w.I32(map_y(m.y));
    w.Raw("\xFF\xFF\xFF\xFF", 4);
  }
  for (std::size_t i = 0; i < layout.players.size(); ++i) {
    w.I32(2);
    w.I32(map_x(layout.players[i].start_x));
    w.I32(map_y(layout.players[i].start_y));
    w.Raw(kColours[i % 4], 4);
  }
  return w.Take();
}

Bytes EncodeNoCameras() {
  ByteWriter w;
  w.I32(0);
  w.I32(0);
  return w.Take();
}

Bytes EncodeNoRegions() {
  ByteWriter w;
  w.I32(5);
  w.I32(0);
  return w.Take();
}

} // namespace qvrace
