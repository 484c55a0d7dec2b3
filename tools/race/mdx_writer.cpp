#include "mdx_writer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace qvrace {
namespace {

struct Extent {
  float radius = 0;
  Vec3 min, max;
};

Extent Measure(const std::vector<Vec3>& vertices) {
  Extent e;
  if (vertices.empty()) return e;
  e.min = e.max = vertices.front();
  for (const Vec3& v : vertices) {
    e.min = {std::min(e.min.x, v.x), std::min(e.min.y, v.y), std::min(e.min.z, v.z)};
    e.max = {std::max(e.max.x, v.x), std::max(e.max.y, v.y), std::max(e.max.z, v.z)};
  }
  // The game culls by a sphere around the box's centre.
  const float dx = (e.max.x - e.min.x) / 2, dy = (e.max.y - e.min.y) / 2, dz = (e.max.z - e.min.z) / 2;
  e.radius = std::sqrt(dx * dx + dy * dy + dz * dz);
  return e;
}

void WriteExtent(ByteWriter& w, const Extent& e) {
  w.F32(e.radius);
  w.F32(e.min.x);
  w.F32(e.min.y);
  w.F32(e.min.z);
  w.F32(e.max.x);
  w.F32(e.max.y);
  w.F32(e.max.z);
}

// Starts a chunk and returns where its size goes.
std::size_t BeginChunk(ByteWriter& w, const char (&tag)[5]) {
  w.Tag(tag);
  const std::size_t at = w.Size();
  w.U32(0);
  return at;
}

void EndChunk(ByteWriter& w, std::size_t size_at) {
  w.PatchU32(size_at, static_cast<std::uint32_t>(w.Size() - size_at - 4));
}

} // namespace

Bytes EncodeMdx(const MdxModel& m) {
  const std::size_t n = m.vertices.size();
  if (n == 0 || n > 0xFFFF || m.normals.size() != n || m.uvs.size() != n || m.triangles.empty() ||
      m.triangles.size() % 3 != 0 || m.sequences.empty())
    throw std::invalid_argument("MDX model with inconsistent geometry");
  for (auto i : m.triangles)
    if (i >= n) throw std::invalid_argument("MDX face refers to a missing vertex");

  const Extent extent = Measure(m.vertices);
  ByteWriter w;
  w.Tag("MDLX");

  std::size_t at = BeginChunk(w, "VERS");
  w.U32(kMdxVersion);
  EndChunk(w, at);

  at = BeginChunk(w, "MODL");
  w.FixedString(m.name, 80);
  w.FixedString("", 260);
  WriteExtent(w, extent);
  w.U32(150); // blend time, as the game's models have it
  EndChunk(w, at);

  at = BeginChunk(w, "SEQS");
  for (const MdxSequence& s : m.sequences) {
    w.FixedString(s.name, 80);
    w.U32(s.start);
    w.U32(s.end);
    w.F32(s.move_speed);
    w.U32(s.non_looping ? 1 : 0);
    w.F32(0); // rarity
    w.U32(0); // sync point
    WriteExtent(w, extent);
  }
  EndChunk(w, at);

  at = BeginChunk(w, "MTLS");
  {
    const std::size_t material_at = w.Size();
    w.U32(0);
    w.I32(0); // priority plane
    w.U32(0); // flags
    w.Tag("LAYS");
    w.U32(1);
    w.U32(28); // layer size, no animated fields
    w.U32(0);  // filter mode: none (opaque)
    w.U32(0);  // shading flags
    w.I32(0);  // texture 0
    w.I32(-1); // no texture animation
    w.U32(0);  // UV set 0
    w.F32(1.0f);
    w.PatchU32(material_at, static_cast<std::uint32_t>(w.Size() - material_at));
  }
  EndChunk(w, at);

  at = BeginChunk(w, "TEXS");
  w.U32(m.replaceable_id);
  w.FixedString(m.texture_path, 260);
  w.U32(0);
  EndChunk(w, at);

  at = BeginChunk(w, "GEOS");
  {
    const std::size_t geoset_at = w.Size();
    w.U32(0);
    w.Tag("VRTX");
    w.U32(static_cast<std::uint32_t>(n));
    for (const Vec3& v : m.vertices) {
      w.F32(v.x);
      w.F32(v.y);
      w.F32(v.z);
    }
    w.Tag("NRMS");
    w.U32(static_cast<std::uint32_t>(n));
    for (const Vec3& v : m.normals) {
      w.F32(v.x);
      w.F32(v.y);
      w.F32(v.z);
    }
    w.Tag("PTYP");
    w.U32(1);
    w.U32(4); // triangles
    w.Tag("PCNT");
    w.U32(1);
    w.U32(static_cast<std::uint32_t>(m.triangles.size()));
    w.Tag("PVTX");
    w.U32(static_cast<std::uint32_t>(m.triangles.size()));
    for (auto i : m.triangles)
      w.U16(i);
    w.Tag("GNDX");
    w.U32(static_cast<std::uint32_t>(n));
    w.Zeros(n); // every vertex in matrix group 0
    w.Tag("MTGC");
    w.U32(1);
    w.U32(1); // group 0 holds one matrix
    w.Tag("MATS");
    w.U32(1);
    w.U32(0); // the Root bone
    w.U32(0); // material 0
    w.U32(0); // selection group
    w.U32(0); // selectable
    WriteExtent(w, extent);
    w.U32(static_cast<std::uint32_t>(m.sequences.size()));
    for (std::size_t i = 0; i < m.sequences.size(); ++i)
      WriteExtent(w, extent);
    w.Tag("UVAS");
    w.U32(1);
    w.Tag("UVBS");
    w.U32(static_cast<std::uint32_t>(n));
    for (const auto& uv : m.uvs) {
      w.F32(uv.first);
      w.F32(uv.second);
    }
    w.PatchU32(geoset_at, static_cast<std::uint32_t>(w.Size() - geoset_at));
  }
  EndChunk(w, at);

  at = BeginChunk(w, "BONE");
  w.U32(96);
  w.FixedString("Root", 80);
  w.I32(0);     // object id
  w.I32(-1);    // no parent
  w.U32(0x100); // a bone
  w.I32(0);     // geoset 0
  w.I32(-1);    // no geoset animation
  EndChunk(w, at);

  at = BeginChunk(w, "PIVT");
  w.F32(0);
  w.F32(0);
  w.F32(0);
  EndChunk(w, at);

  return w.Take();
}

} // namespace qvrace
