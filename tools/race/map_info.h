// war3map.w3i, the map's description, in The Frozen Throne's format version 25,
// and the 512-byte "HM3W" header that stands in front of a map's archive.
//
// war3map.w3i:
//   i32 version = 25, i32 times saved, i32 editor version
//   string name, author, description, recommended players (TRIGSTR references)
//   f32[8] camera bounds: left/bottom, right/top, left/top, right/bottom
//   i32[4] tiles outside the playable area: left, right, bottom, top
//   i32 playable width, i32 playable height (tiles)
//   i32 flags (0x0004 melee map, ...), char main tileset
//   i32 loading screen number (-1 none), string loading screen model,
//   string loading text, title, subtitle, i32 game data set (0 standard),
//   string prologue path, text, title, subtitle,
//   i32 terrain fog (0 none), f32 fog start z, f32 fog end z, f32 fog density,
//   u8[4] fog colour, i32 weather (0 none), string sound environment,
//   char light environment tileset (0 = the main one's), u8[4] water tint
//   i32 player count, per player: i32 number, i32 type (1 human), i32 race
//     (1 human, 2 orc, 3 undead, 4 night elf), i32 fixed start (1),
//     string name, f32 start x, f32 start y, i32 low and i32 high ally
//     priority masks
//   i32 force count, per force: i32 flags, i32 player mask, string name
//   i32 upgrade changes, i32 tech changes, i32 random unit tables,
//   i32 random item tables (all 0)
//
// The HM3W header: char[4] "HM3W", i32 unused, zero-terminated map name,
// i32 flags (as in the w3i), i32 player count, zeros up to 512 bytes.
#pragma once

#include <string>

#include "byte_writer.h"
#include "map_layout.h"

namespace qvrace {

constexpr std::int32_t kMapInfoVersion = 25;
constexpr std::int32_t kMapFlagMelee = 0x0004;
constexpr std::size_t kMapHeaderSize = 512;

Bytes EncodeMapInfo(const MapLayout& layout);
Bytes EncodeMapHeader(const std::string& map_name, std::int32_t flags, std::int32_t players);

} // namespace qvrace
