// The demo map's ground: war3map.w3e (terrain), war3map.shd (shadows),
// war3map.wpm (pathing) and war3mapMap.blp (the minimap picture).
//
// war3map.w3e, version 11:
//   char[4] "W3E!", i32 11, char main tileset, i32 custom tilesets (0),
//   i32 ground tile type count + char[4] each, i32 cliff type count + char[4] each,
//   i32 corners across (tiles + 1), i32 corners up, f32 x and y of corner (0,0),
//   then one 7-byte point per corner, row by row from the bottom left:
//     u16 ground height (0x2000 = level ground)
//     u16 water level, bit 0x4000 = outside the playable area
//     u8  ground type (low 4 bits, index into the list above) | flags << 4
//         (0x1 ramp, 0x2 blight, 0x4 water, 0x8 boundary)
//     u8  texture variation
//     u8  cliff type << 4 | layer height (2 = the ground's usual layer)
// war3map.shd: one byte per quarter-tile cell (4x4 cells per tile), 0x00 lit
//   or 0xFF shadowed, with no header.
// war3map.wpm, version 0:
//   char[4] "MP3W", i32 0, i32 cells across (tiles*4), i32 cells up, then one
//   byte per cell: 0x02 no walking, 0x04 no flying, 0x08 no building,
//   0x20 blight, 0x40 no water, 0x80 outside the playable area.
#pragma once

#include "blp_writer.h"
#include "byte_writer.h"
#include "map_layout.h"

namespace qvrace {

Bytes EncodeTerrain(const MapLayout& layout);
Bytes EncodeShadows(const MapLayout& layout);
Bytes EncodePathing(const MapLayout& layout);
PalettedImage RenderMinimap(const MapLayout& layout, int size);

} // namespace qvrace
