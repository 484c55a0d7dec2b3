// Object editor modification files: war3map.w3u (units), .w3t (items), .w3a
// (abilities), .w3h (buffs), .w3q (upgrades).
//
// Layout, format version 2:
//   i32  version = 2
//   two tables, first the changes to the game's own objects, then the objects
//   the map adds; each table is
//     i32 object count, then per object:
//       char[4] base id (a standard object), char[4] new id (zero in the first table)
//       i32 modification count, then per modification:
//         char[4] field id
//         i32     value type: 0 integer, 1 real, 2 unreal (0..1), 3 string
//         [i32 level, i32 data column]   only in .w3a, .w3d and .w3q
//         the value: i32, f32, or zero-terminated string
//         char[4] end mark: the object's new id (its base id in the first table)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "byte_writer.h"

namespace qvrace {

constexpr std::int32_t kObjectModVersion = 2;

struct Modification {
  enum Type : std::int32_t { kInt = 0, kReal = 1, kUnreal = 2, kString = 3 };
  std::string field;
  Type type = kString;
  std::int32_t level = 0;       // leveled fields count from 1; 0 = not leveled
  std::int32_t data_column = 0; // 0 = DataA ... only for ability data fields
  std::int32_t int_value = 0;
  float real_value = 0;
  std::string string_value;

  static Modification String(std::string field, std::string value, std::int32_t level = 0);
  static Modification Int(std::string field, std::int32_t value, std::int32_t level = 0);
  static Modification Real(std::string field, float value, std::int32_t level = 0);
};

struct ObjectDefinition {
  std::string base_id;
  std::string new_id; // empty for a change to the standard object itself
  std::vector<Modification> modifications;
};

struct ObjectModFile {
  bool leveled = false; // .w3a/.w3d/.w3q carry level and data column per modification
  std::vector<ObjectDefinition> original;
  std::vector<ObjectDefinition> custom;
};

Bytes EncodeObjectMods(const ObjectModFile& file);

} // namespace qvrace
