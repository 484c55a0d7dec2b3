// The AI editor's project file (.wai) that stands beside each compiled .ai
// script.
//
// The game never reads a .wai; only the editor's AI tool opens it to go on
// editing the plan, and it compiles the .ai from it. Its layout is not
// published, so we write a small layout of our own that holds the same plan as
// the script, every field little-endian:
//
//   i32     format version = 2
//   string  AI name (zero-terminated)
//   string  race key the AI plays ("nightelf": the race takes that race's place)
//   u32     option flags (kWai... below)
//   i32     workers on gold, i32 workers on lumber
//   i32     hero count, then per hero: char[4] unit id, in the order they are summoned
//   i32     build step count, then per step:
//             i32 kind (0 unit or building, 1 upgrade), char[4] id, i32 quantity
//   i32     attack wave count, then per wave:
//             i32 delay easy, i32 delay normal, i32 delay hard (seconds),
//             i32 entry count, then per entry: char[4] unit id, i32 quantity
#pragma once

#include <cstdint>
#include <string>

#include "ai_plans.h"
#include "byte_writer.h"

namespace qvrace {

constexpr std::int32_t kWaiVersion = 2;
constexpr std::uint32_t kWaiMelee = 0x01;
constexpr std::uint32_t kWaiPeonsRepair = 0x02;
constexpr std::uint32_t kWaiHeroesFlee = 0x04;
constexpr std::uint32_t kWaiUnitsFlee = 0x08;
constexpr std::uint32_t kWaiGroupsFlee = 0x10;
constexpr std::uint32_t kWaiTargetHeroes = 0x20;
constexpr std::uint32_t kWaiSmartArtillery = 0x40;

Bytes EncodeWai(const std::string& name, AiPlan plan);

} // namespace qvrace
