// A minimal MDX (Warcraft III binary model, version 800) writer.
//
// An MDX file is the tag "MDLX" followed by chunks, each a four-character tag,
// a u32 byte size of its body, and the body. We write the chunks a static,
// single-mesh model needs, in the order the game's own models use:
//
//   VERS  u32 version = 800 (Reign of Chaos / The Frozen Throne)
//   MODL  char[80] name, char[260] animation file (empty), extent, u32 blend time
//   SEQS  per sequence, 132 bytes: char[80] name, u32 start, u32 end,
//         f32 move speed, u32 flags (0 looping, 1 non-looping), f32 rarity,
//         u32 sync point, extent
//   MTLS  per material: u32 inclusive size, i32 priority plane, u32 flags,
//         "LAYS", u32 layer count, layers of 28 bytes: u32 inclusive size,
//         u32 filter mode, u32 shading flags, i32 texture id,
//         i32 texture animation id (-1 none), u32 coord id, f32 alpha
//   TEXS  per texture, 268 bytes: u32 replaceable id, char[260] path, u32 flags
//   GEOS  per geoset: u32 inclusive size, then sub-blocks each with a tag and a
//         count: VRTX (3 floats each), NRMS (3 floats), PTYP (u32 face types,
//         4 = triangles), PCNT (u32 index count per face group), PVTX (u16
//         indices), GNDX (u8 matrix group per vertex), MTGC (u32 matrices per
//         group), MATS (u32 bone indices); then u32 material id, u32 selection
//         group, u32 selection flags, extent, u32 count + one extent per
//         sequence, UVAS (count of UV sets) and per set UVBS (2 floats each)
//   BONE  per bone: u32 inclusive size of the node part (96), char[80] name,
//         i32 object id, i32 parent (-1 none), u32 flags (0x100 = bone),
//         then i32 geoset id, i32 geoset animation id (-1 none)
//   PIVT  3 floats per object (bone), its pivot point
//
// An extent is f32 bounds radius, f32[3] minimum, f32[3] maximum (28 bytes).
//
// Every vertex hangs on the one bone "Root" at the origin; the model has no
// animation tracks, so every sequence shows it at rest.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "byte_writer.h"

namespace qvrace {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

struct MdxSequence {
  std::string name;
  std::uint32_t start = 0;
  std::uint32_t end = 0;
  bool non_looping = false;
  float move_speed = 0;
};

struct MdxModel {
  std::string name;
  std::vector<MdxSequence> sequences;
  std::vector<Vec3> vertices;
  std::vector<Vec3> normals;                // one per vertex
  std::vector<std::pair<float, float>> uvs; // one per vertex
  std::vector<std::uint16_t> triangles;     // 3 indices per face
  // The one texture. Replaceable id 1 is the player's team colour, which needs
  // no file; 0 means "use `texture_path`".
  std::uint32_t replaceable_id = 1;
  std::string texture_path;
};

constexpr std::uint32_t kMdxVersion = 800;
constexpr std::size_t kMdxSequenceSize = 132;
constexpr std::size_t kMdxTextureSize = 268;
constexpr std::size_t kMdxModelChunkSize = 372;

Bytes EncodeMdx(const MdxModel& model);

} // namespace qvrace
