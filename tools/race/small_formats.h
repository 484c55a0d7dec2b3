// The race's two small resource files and the demo map's three small ones.
//
// war3map.w3s (sound definitions): i32 version = 1, i32 sound count. The race
//   defines no sounds of its own, so the file holds just those two fields; the
//   game and the editor take a count of 0 as "no sounds".
// war3mapMisc.txt (gameplay constants): INI text under [Misc], CRLF; the game
//   reads the keys it knows and keeps its defaults for the rest.
// war3map.mmp (menu minimap icons): i32 0, i32 icon count, per icon i32 kind
//   (0 gold mine, 1 neutral building, 2 start location), i32 x, i32 y (0-255
//   across the minimap), u8[4] colour blue, green, red, alpha.
// war3map.w3c (cameras): i32 version = 0, i32 camera count.
// war3map.w3r (regions): i32 version = 5, i32 region count.
#pragma once

#include "byte_writer.h"
#include "map_layout.h"

namespace qvrace {

Bytes EncodeNoSounds();
Bytes GameConstantsText();
Bytes EncodeMinimapIcons(const MapLayout& layout);
Bytes EncodeNoCameras();
Bytes EncodeNoRegions();

} // namespace qvrace
