// The Verdant Vale: its heroes, units, buildings, abilities, buffs, items and
// upgrades, and the object editor files and strings that define them.
//
// Every object is a custom object derived from a standard one (custom ids in the
// editor's own style: E000 for heroes, e000 for units and buildings, A000
// abilities, B000 buffs, I000 items, R000 upgrades). Names and texts live in the
// race's string file, numbered from 25 upward, so that they never collide with a
// melee map's own strings.
#pragma once

#include <string>
#include <vector>

#include "object_mods.h"
#include "wts_writer.h"

namespace qvrace {

enum class UnitKind { kHero, kUnit, kBuilding };

struct RaceUnit {
  const char* key; // the name the race's files use (Thornwarden -> BTNThornwarden.blp)
  const char* name;
  UnitKind kind;
  const char* base_id;
  const char* id;
};

// All of the race's heroes, units and buildings, in the order of the unit file.
const std::vector<RaceUnit>& RaceUnits();
// The custom id of a hero, unit or building by key; throws for an unknown key.
std::string RaceUnitId(const std::string& key);
// The custom id of an upgrade by key (ThornArrows ...); throws for an unknown key.
std::string RaceUpgradeId(const std::string& key);

struct RaceObjects {
  ObjectModFile units;                                   // war3map.w3u
  ObjectModFile items;                                   // war3map.w3t
  ObjectModFile abilities;                               // war3map.w3a
  ObjectModFile buffs;                                   // war3map.w3h
  ObjectModFile upgrades;                                // war3map.w3q
  std::vector<std::pair<unsigned, std::string>> strings; // war3map_2.wts
};

// Builds the five object files with their strings numbered from `first_string`.
RaceObjects BuildRaceObjects(unsigned first_string);

// Archive paths of the race's pictures and models, as the object files name them.
std::string CommandButtonPath(const std::string& key); // ReplaceableTextures\CommandButtons\BTN<key>.blp
std::string PassiveButtonPath(const std::string& key); // ReplaceableTextures\PassiveButtons\PASBTN<key>.blp
std::string ImportedPath(const std::string& file);     // war3mapImported\<file>

} // namespace qvrace
