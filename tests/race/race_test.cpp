// The race as the generator writes it into a program directory, read back
// with the readers of readers.h.
#include <algorithm>
#include <cmath>
#include <set>

#include "generated_race.h"

namespace racetest {
namespace {

namespace fs = std::filesystem;

TEST(RaceFiles, ProgramDirectoryHoldsExactlyTheRace) {
  std::set<std::string> expected;
  for (const char* n : qv::g_szMapFiles)
    expected.insert(OnDisk(RaceDir(), n).string());
  for (const char* n : qv::szResources)
    expected.insert(OnDisk(RaceDir(), n).string());
  expected.insert(OnDisk(RaceDir(), qv::kRaceStrings).string());
  expected.insert(OnDisk(RaceDir(), "Temp\\war3map.j").string());
  expected.insert(OnDisk(RaceDir(), "Temp\\war3map.wtg").string());
  ASSERT_EQ(expected.size(), 123u + 12u + 3u);

  std::set<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(RaceDir()))
    if (entry.is_regular_file()) {
      found.insert(entry.path().string());
      EXPECT_GT(entry.file_size(), 0u) << entry.path();
    }
  EXPECT_EQ(found, expected);
}

// The build runs the generator on its own program directory.
TEST(RaceFiles, BuildPutTheRaceBesideThePrograms) {
  for (const char* n : qv::g_szMapFiles)
    EXPECT_TRUE(fs::is_regular_file(OnDisk(QV_PROGRAM_DIR, n))) << n;
  for (const char* n : qv::szResources)
    EXPECT_TRUE(fs::is_regular_file(OnDisk(QV_PROGRAM_DIR, n))) << n;
  EXPECT_TRUE(fs::is_regular_file(OnDisk(QV_PROGRAM_DIR, qv::kRaceStrings)));
  EXPECT_TRUE(fs::is_regular_file(OnDisk(QV_PROGRAM_DIR, "Temp\\war3map.j")));
  EXPECT_TRUE(fs::is_regular_file(OnDisk(QV_PROGRAM_DIR, "Temp\\war3map.wtg")));
}

// ---- BLP1 -----------------------------------------------------------------------

struct Blp {
  std::uint32_t compression, alpha_bits, width, height, type, has_mipmaps;
  std::uint32_t offsets[16], sizes[16];
  std::uint8_t palette[256][4];
  Bytes level0_indices, level0_alpha;
};

Blp ParseBlp(const Bytes& data) {
  Reader r(data);
  if (r.Chars(4) != "BLP1") throw std::runtime_error("no BLP1 tag");
  Blp b{};
  b.compression = r.U32();
  b.alpha_bits = r.U32();
  b.width = r.U32();
  b.height = r.U32();
  b.type = r.U32();
  b.has_mipmaps = r.U32();
  for (auto& o : b.offsets)
    o = r.U32();
  for (auto& s : b.sizes)
    s = r.U32();
  for (auto& c : b.palette)
    for (auto& byte : c)
      byte = r.U8();
  const std::size_t pixels = std::size_t{b.width} * b.height;
  Reader level(data, b.offsets[0]);
  const std::string idx = level.Chars(pixels);
  b.level0_indices.assign(idx.begin(), idx.end());
  if (b.alpha_bits == 8) {
    const std::string a = level.Chars(pixels);
    b.level0_alpha.assign(a.begin(), a.end());
  }
  return b;
}

TEST(Blp, EveryPictureIsPalettizedBlp1WithItsMipmapChain) {
  const auto pictures = MapFilesEndingWith(".blp");
  ASSERT_EQ(pictures.size(), 99u);
  for (const std::string& name : pictures) {
    SCOPED_TRACE(name);
    const Bytes data = Race(name);
    const Blp b = ParseBlp(data);
    EXPECT_EQ(b.compression, 1u);
    EXPECT_EQ(b.width, 64u);
    EXPECT_EQ(b.height, 64u);
    EXPECT_EQ(b.has_mipmaps, 1u);
    // Alpha bits and picture type go together: 8 with 4, none with 5.
    ASSERT_TRUE((b.alpha_bits == 8 && b.type == 4) || (b.alpha_bits == 0 && b.type == 5));
    const bool card =
        name.find("infocard-") != std::string::npos || name.find("scorescreen-") != std::string::npos;
    EXPECT_EQ(b.alpha_bits == 8, card) << "only the round cards fade out";

    // 64, 32, ..., 1: seven levels, back to back after the 1024-byte palette.
    std::uint32_t expected_offset = 156 + 1024;
    for (int level = 0; level < 16; ++level) {
      const std::uint32_t side = 64u >> level;
      if (level < 7) {
        EXPECT_EQ(b.offsets[level], expected_offset) << "level " << level;
        EXPECT_EQ(b.sizes[level], side * side * (b.alpha_bits == 8 ? 2 : 1)) << "level " << level;
        expected_offset += b.sizes[level];
      } else {
        EXPECT_EQ(b.offsets[level], 0u);
        EXPECT_EQ(b.sizes[level], 0u);
      }
    }
    EXPECT_EQ(data.size(), expected_offset);
    if (card) {
      EXPECT_EQ(*std::min_element(b.level0_alpha.begin(), b.level0_alpha.end()), 0);
      EXPECT_EQ(*std::max_element(b.level0_alpha.begin(), b.level0_alpha.end()), 255);
    }
  }
}

int Luma(const std::uint8_t bgra[4]) {
  return (bgra[2] * 299 + bgra[1] * 587 + bgra[0] * 114) / 1000;
}

TEST(Blp, DisabledIconsAreDarkGreyCopiesOfTheirIcons) {
  int compared = 0;
  for (const std::string& name : MapFilesEndingWith(".blp")) {
    const std::string file = FileName(name);
    std::string enabled;
    if (file.rfind("DISPASBTN", 0) == 0)
      enabled = "ReplaceableTextures\\PassiveButtons\\PASBTN" + file.substr(9);
    else if (file.rfind("DISBTN", 0) == 0)
      enabled = "ReplaceableTextures\\CommandButtons\\BTN" + file.substr(6);
    else
      continue;
    // Second-level upgrade icons have only their disabled form.
    if (!fs::exists(OnDisk(RaceDir(), enabled))) continue;
    SCOPED_TRACE(name);
    const Blp dis = ParseBlp(Race(name));
    const Blp on = ParseBlp(Race(enabled));
    EXPECT_EQ(dis.level0_indices, on.level0_indices) << "not the same picture";
    bool darker_somewhere = false;
    for (int i = 0; i < 256; ++i) {
      EXPECT_TRUE(dis.palette[i][0] == dis.palette[i][1] && dis.palette[i][1] == dis.palette[i][2]) << i;
      EXPECT_LE(Luma(dis.palette[i]), Luma(on.palette[i])) << i;
      darker_somewhere |= Luma(dis.palette[i]) < Luma(on.palette[i]);
    }
    EXPECT_TRUE(darker_somewhere);
    ++compared;
  }
  EXPECT_EQ(compared, 45);
}

TEST(Blp, EachSubjectHasItsOwnPicture) {
  std::set<Bytes> pictures;
  const auto names = MapFilesEndingWith(".blp");
  std::size_t enabled = 0;
  for (const std::string& name : names) {
    if (FileName(name).rfind("DIS", 0) == 0) continue;
    ++enabled;
    // The picture as seen: each pixel's palette colour.
    const Blp b = ParseBlp(Race(name));
    Bytes seen;
    for (std::uint8_t i : b.level0_indices)
      seen.insert(seen.end(), b.palette[i], b.palette[i] + 3);
    pictures.insert(seen);
  }
  EXPECT_EQ(pictures.size(), enabled);
}

// ---- MDX ------------------------------------------------------------------------

struct MdxSummary {
  std::uint32_t version = 0;
  std::string model_name;
  std::vector<std::string> sequences;
  std::size_t textures = 0, geosets = 0, bones = 0, pivots = 0;
};

// Checks one geoset's sub-blocks against each other and its inclusive size.
void CheckGeoset(Reader& r, std::size_t sequences, std::size_t materials, std::size_t bones) {
  const std::size_t start = r.Pos();
  const std::uint32_t size = r.U32();
  auto block = [&](const char* tag) {
    EXPECT_EQ(r.Chars(4), tag);
    return r.U32();
  };
  const std::uint32_t vertices = block("VRTX");
  r.Skip(vertices * 12u);
  EXPECT_EQ(block("NRMS"), vertices);
  for (std::uint32_t i = 0; i < vertices; ++i) {
    const float x = r.F32(), y = r.F32(), z = r.F32();
    EXPECT_NEAR(std::sqrt(x * x + y * y + z * z), 1.0f, 1e-3f) << "normal " << i;
  }
  const std::uint32_t types = block("PTYP");
  for (std::uint32_t i = 0; i < types; ++i)
    EXPECT_EQ(r.U32(), 4u) << "triangles";
  EXPECT_EQ(block("PCNT"), types);
  std::uint32_t indices_in_groups = 0;
  for (std::uint32_t i = 0; i < types; ++i)
    indices_in_groups += r.U32();
  const std::uint32_t indices = block("PVTX");
  EXPECT_EQ(indices, indices_in_groups);
  EXPECT_GT(indices, 0u);
  EXPECT_EQ(indices % 3, 0u);
  for (std::uint32_t i = 0; i < indices; ++i)
    EXPECT_LT(r.U16(), vertices);
  EXPECT_EQ(block("GNDX"), vertices);
  std::uint32_t max_group = 0;
  for (std::uint32_t i = 0; i < vertices; ++i)
    max_group = std::max<std::uint32_t>(max_group, r.U8());
  const std::uint32_t groups = block("MTGC");
  EXPECT_LT(max_group, groups);
  std::uint32_t matrices_in_groups = 0;
  for (std::uint32_t i = 0; i < groups; ++i)
    matrices_in_groups += r.U32();
  EXPECT_EQ(block("MATS"), matrices_in_groups);
  for (std::uint32_t i = 0; i < matrices_in_groups; ++i)
    EXPECT_LT(r.U32(), bones);
  EXPECT_LT(r.U32(), materials);
  r.Skip(8);  // selection group and flags
  r.Skip(28); // extent
  EXPECT_EQ(r.U32(), sequences) << "one extent per sequence";
  r.Skip(28 * sequences);
  const std::uint32_t uv_sets = block("UVAS");
  EXPECT_GE(uv_sets, 1u);
  for (std::uint32_t i = 0; i < uv_sets; ++i) {
    EXPECT_EQ(block("UVBS"), vertices);
    r.Skip(vertices * 8u);
  }
  EXPECT_EQ(r.Pos() - start, size) << "geoset size";
}

MdxSummary WalkMdx(const Bytes& data) {
  Reader r(data);
  if (r.Chars(4) != "MDLX") throw std::runtime_error("no MDLX tag");
  MdxSummary s;
  std::size_t materials = 0;
  std::vector<std::pair<std::size_t, std::uint32_t>> geoset_chunks;
  while (!r.AtEnd()) {
    const std::string tag = r.Chars(4);
    const std::uint32_t size = r.U32();
    const std::size_t body = r.Pos();
    if (size > r.Left()) throw std::runtime_error(tag + " runs past the end");
    if (tag == "VERS") {
      s.version = r.U32();
    } else if (tag == "MODL") {
      EXPECT_EQ(size, 372u);
      s.model_name = r.Field(80);
    } else if (tag == "SEQS") {
      EXPECT_EQ(size % 132, 0u);
      for (std::uint32_t i = 0; i < size / 132; ++i) {
        s.sequences.push_back(r.Field(80));
        const std::uint32_t start = r.U32(), end = r.U32();
        EXPECT_LT(start, end) << s.sequences.back();
        r.Skip(132 - 88);
      }
    } else if (tag == "MTLS") {
      while (r.Pos() < body + size) {
        const std::size_t at = r.Pos();
        const std::uint32_t material_size = r.U32();
        r.Skip(8);
        EXPECT_EQ(r.Chars(4), "LAYS");
        const std::uint32_t layers = r.U32();
        for (std::uint32_t i = 0; i < layers; ++i) {
          EXPECT_EQ(r.U32(), 28u);
          r.Skip(8);
          EXPECT_EQ(r.I32(), 0) << "texture";
          r.Skip(12);
        }
        EXPECT_EQ(r.Pos() - at, material_size);
        ++materials;
      }
    } else if (tag == "TEXS") {
      EXPECT_EQ(size % 268, 0u);
      s.textures = size / 268;
    } else if (tag == "GEOS") {
      geoset_chunks.emplace_back(body, size);
    } else if (tag == "BONE") {
      while (r.Pos() < body + size) {
        EXPECT_EQ(r.U32(), 96u);
        r.Skip(80);
        EXPECT_EQ(r.I32(), static_cast<std::int32_t>(s.bones)) << "object ids count up";
        r.Skip(16);
        ++s.bones;
      }
    } else if (tag == "PIVT") {
      EXPECT_EQ(size % 12, 0u);
      s.pivots = size / 12;
    }
    r.Seek(body + size);
  }
  // Geosets last: they are checked against the sequence, material and bone counts.
  for (const auto& chunk : geoset_chunks) {
    Reader g(data, chunk.first);
    while (g.Pos() < chunk.first + chunk.second) {
      CheckGeoset(g, s.sequences.size(), materials, s.bones);
      ++s.geosets;
    }
    EXPECT_EQ(g.Pos(), chunk.first + chunk.second);
  }
  return s;
}

TEST(Mdx, EveryModelIsAWellFormedVersion800Model) {
  const auto models = MapFilesEndingWith(".mdx");
  ASSERT_EQ(models.size(), 18u);
  for (const std::string& name : models) {
    SCOPED_TRACE(name);
    const MdxSummary s = WalkMdx(Race(name));
    EXPECT_EQ(s.version, 800u);
    EXPECT_FALSE(s.model_name.empty());
    EXPECT_NE(std::find(s.sequences.begin(), s.sequences.end(), "Stand"), s.sequences.end());
    EXPECT_EQ(s.textures, 1u);
    EXPECT_EQ(s.geosets, 1u);
    EXPECT_GE(s.bones, 1u);
    EXPECT_EQ(s.pivots, s.bones) << "one pivot per object";
  }
  // Portraits talk; the hero model walks and dies.
  const MdxSummary portrait = WalkMdx(Race("units\\verdant\\Thornwarden\\Thornwarden_portrait.mdx"));
  EXPECT_NE(std::find(portrait.sequences.begin(), portrait.sequences.end(), "Portrait Talk"),
            portrait.sequences.end());
  const MdxSummary hero = WalkMdx(Race("war3mapImported\\Thornwarden.mdx"));
  for (const char* seq : {"Walk", "Attack", "Death"})
    EXPECT_NE(std::find(hero.sequences.begin(), hero.sequences.end(), seq), hero.sequences.end()) << seq;
}

} // namespace
} // namespace racetest
