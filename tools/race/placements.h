// What stands on the demo map: war3map.doo (trees and doodads) and
// war3mapUnits.doo (start locations, gold mines), The Frozen Throne's version 8.
//
// war3map.doo: char[4] "W3do", i32 8, i32 11, i32 tree count (0), then
//   i32 0 (special doodad version) and i32 special doodad count (0).
// war3mapUnits.doo: char[4] "W3do", i32 8, i32 11, i32 count, per unit:
//   char[4] type, i32 variation, f32 x, y, z, f32 facing (radians),
//   f32 scale x, y, z, u8 flags (2 = normal), i32 owner (15 = neutral passive),
//   u8 0, u8 0, i32 hit points (-1 default), i32 mana (-1 default),
//   i32 item table (-1 none), i32 dropped item set count (0),
//   i32 gold (gold mines), f32 acquisition range (-1 default), i32 hero level (1),
//   i32 strength, agility, intelligence (0 default), i32 inventory count (0),
//   i32 changed ability count (0), i32 random kind (0) + u8[3] level + u8 item class,
//   i32 custom colour (-1), i32 waygate target (-1), i32 creation number.
#pragma once

#include "byte_writer.h"
#include "map_layout.h"

namespace qvrace {

Bytes EncodeDoodads();
Bytes EncodeUnits(const MapLayout& layout);

} // namespace qvrace
