// The demo map: an HM3W header, then an MPQ archive with a melee map's files,
// opened here with StormLib itself.
#include <StormLib.h>

#include <cmath>
#include <memory>

#include "demo_map.h"
#include "manifest.h"
#include "map_reader.h"
#include "readers.h"

namespace racetest {
namespace {

namespace fs = std::filesystem;

const fs::path& DemoMap() {
  static TempDir dir;
  static const fs::path path = [] {
    const fs::path p = dir.Path() / "(2)Demo.w3x";
    std::string error;
    if (!qvrace::WriteDemoMap(p.string(), &error)) ADD_FAILURE() << error;
    return p;
  }();
  return path;
}

struct ArchiveCloser {
  void operator()(void* h) const { SFileCloseArchive(h); }
};
using Archive = std::unique_ptr<void, ArchiveCloser>;

Archive OpenDemo() {
  HANDLE h = nullptr;
  if (!SFileOpenArchive(DemoMap().c_str(), 0, MPQ_OPEN_FORCE_MPQ_V1 | STREAM_FLAG_READ_ONLY, &h))
    return nullptr;
  return Archive(h);
}

Bytes ArchiveFile(void* archive, const char* name) {
  HANDLE f = nullptr;
  if (!SFileOpenFileEx(archive, name, SFILE_OPEN_FROM_MPQ, &f))
    throw std::runtime_error(std::string("no ") + name);
  Bytes data(SFileGetFileSize(f, nullptr));
  DWORD read = 0;
  const bool ok =
      data.empty() || SFileReadFile(f, data.data(), static_cast<DWORD>(data.size()), &read, nullptr);
  SFileCloseFile(f);
  if (!ok || read != data.size()) throw std::runtime_error(std::string("cannot read ") + name);
  return data;
}

TEST(DemoMap, IsAnHm3wHeaderFollowedByTheArchive) {
  const Bytes data = ReadAll(DemoMap());
  ASSERT_GT(data.size(), 1024u);
  Reader r(data);
  EXPECT_EQ(r.Chars(4), "HM3W");
  r.Skip(4);
  EXPECT_EQ(r.CStr(), "Verdant Test Grove");
  EXPECT_EQ(r.I32() & 0x0004, 0x0004) << "melee map flag";
  EXPECT_EQ(r.I32(), 2) << "players";
  while (r.Pos() < 512)
    ASSERT_EQ(r.U8(), 0) << "header padding at " << r.Pos();
  EXPECT_EQ(r.Chars(4), std::string("MPQ\x1A"));
}

TEST(DemoMap, HoldsTheBaseFilesScriptAndTriggers) {
  const Archive archive = OpenDemo();
  ASSERT_TRUE(archive);
  ASSERT_EQ(qv::kNeededFileCount, 13u);
  for (const char* name : qv::szNeededFiles) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(SFileHasFile(archive.get(), name));
    EXPECT_FALSE(ArchiveFile(archive.get(), name).empty());
  }
  for (const char* name : qv::g_szMapFiles)
    EXPECT_FALSE(SFileHasFile(archive.get(), name)) << "race file " << name;
}

// What the install looks at before it starts.
TEST(DemoMap, EngineSeesAnInstallableMelee) {
  qv::MapInfo info;
  ASSERT_TRUE(qv::DirectMapReader().Inspect(DemoMap().string(), &info));
  EXPECT_TRUE(info.hm3w_header);
  for (std::size_t i = 0; i < qv::kBaseFileCount; ++i)
    EXPECT_TRUE(info.base_files[i]) << qv::szNeededFiles[i];
  EXPECT_FALSE(info.race_installed);
  ASSERT_FALSE(info.string_ids.empty());
  for (unsigned id : info.string_ids)
    EXPECT_LT(id, qv::kFirstRaceStringId);
}

TEST(DemoMap, StringsStayBelow25AndResolveEveryReference) {
  const Archive archive = OpenDemo();
  ASSERT_TRUE(archive);
  const std::string wts = AsText(ArchiveFile(archive.get(), "war3map.wts"));
  EXPECT_EQ(wts.rfind("\xEF\xBB\xBFSTRING ", 0), 0u) << "byte-order mark, as the editor writes it";
  const auto strings = ParseWts(wts);
  ASSERT_FALSE(strings.empty());
  EXPECT_LT(strings.rbegin()->first, 25u);
  for (const char* name : {"war3map.w3i", "war3map.j"}) {
    const auto refs = TrigStrRefs(AsText(ArchiveFile(archive.get(), name)));
    EXPECT_FALSE(refs.empty()) << name;
    for (unsigned id : refs)
      EXPECT_TRUE(strings.count(id)) << name << " uses undefined TRIGSTR_" << id;
  }
}

struct Start {
  float x, y;
};

// war3map.w3i, version 25, read through to its end.
std::vector<Start> ReadMapInfo(const Bytes& data) {
  Reader r(data);
  EXPECT_EQ(r.I32(), 25);
  r.Skip(8);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(r.CStr().rfind("TRIGSTR_", 0), 0u);
  float bounds[8];
  for (float& b : bounds)
    b = r.F32();
  const std::int32_t margins[4] = {r.I32(), r.I32(), r.I32(), r.I32()};
  const std::int32_t width = r.I32(), height = r.I32();
  EXPECT_EQ(margins[0] + width + margins[1], 32) << "map width";
  EXPECT_EQ(margins[2] + height + margins[3], 32) << "map height";
  EXPECT_LT(bounds[0], bounds[2]);
  EXPECT_LT(bounds[1], bounds[3]);
  EXPECT_EQ(r.I32() & 0x0004, 0x0004);
  EXPECT_EQ(r.U8(), 'L');
  r.I32();
  for (int i = 0; i < 4; ++i)
    r.CStr();
  r.I32();
  for (int i = 0; i < 4; ++i)
    r.CStr();
  r.Skip(4 + 12 + 4 + 4);
  r.CStr();
  r.Skip(1 + 4);
  const std::int32_t players = r.I32();
  EXPECT_EQ(players, 2);
  std::vector<Start> starts;
  for (std::int32_t i = 0; i < players; ++i) {
    EXPECT_EQ(r.I32(), i);
    EXPECT_EQ(r.I32(), 1) << "human player";
    const std::int32_t race = r.I32();
    EXPECT_TRUE(race >= 1 && race <= 4);
    r.I32();
    EXPECT_EQ(r.CStr(), "TRIGSTR_00" + std::to_string(5 + i));
    const float x = r.F32(), y = r.F32();
    starts.push_back({x, y});
    r.Skip(8);
  }
  EXPECT_EQ(r.I32(), 1) << "forces";
  r.Skip(8);
  r.CStr();
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(r.I32(), 0);
  EXPECT_TRUE(r.AtEnd());
  return starts;
}

TEST(DemoMap, InfoUnitsAndScriptPlaceTheSameTwoStarts) {
  const Archive archive = OpenDemo();
  ASSERT_TRUE(archive);
  const std::vector<Start> starts = ReadMapInfo(ArchiveFile(archive.get(), "war3map.w3i"));
  ASSERT_EQ(starts.size(), 2u);

  const Bytes units = ArchiveFile(archive.get(), "war3mapUnits.doo");
  Reader r(units);
  EXPECT_EQ(r.Chars(4), "W3do");
  EXPECT_EQ(r.I32(), 8);
  EXPECT_EQ(r.I32(), 11);
  const std::int32_t count = r.I32();
  int start_locations = 0, mines = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::string type = r.Chars(4);
    r.Skip(4);
    const float x = r.F32(), y = r.F32();
    r.Skip(4 + 4 + 12 + 1);
    const std::int32_t owner = r.I32();
    r.Skip(2 + 4 + 4 + 4);
    EXPECT_EQ(r.I32(), 0) << "dropped item sets";
    const std::int32_t gold = r.I32();
    r.Skip(4 + 4 + 12);
    EXPECT_EQ(r.I32(), 0) << "items";
    EXPECT_EQ(r.I32(), 0) << "abilities";
    EXPECT_EQ(r.I32(), 0) << "not random";
    r.Skip(4 + 4 + 4);
    EXPECT_EQ(r.I32(), i) << "creation number";
    if (type == "sloc") {
      ASSERT_TRUE(owner == 0 || owner == 1);
      EXPECT_FLOAT_EQ(x, starts[static_cast<std::size_t>(owner)].x);
      EXPECT_FLOAT_EQ(y, starts[static_cast<std::size_t>(owner)].y);
      ++start_locations;
    } else if (type == "ngol") {
      EXPECT_EQ(owner, 15) << "neutral passive";
      EXPECT_GT(gold, 0);
      ++mines;
    }
  }
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(start_locations, 2);
  EXPECT_EQ(mines, 2);

  const std::string script = AsText(ArchiveFile(archive.get(), "war3map.j"));
  for (std::size_t i = 0; i < starts.size(); ++i) {
    char line[96];
    std::snprintf(line, sizeof line, "call DefineStartLocation( %zu, %.1f, %.1f )", i,
                  static_cast<double>(starts[i].x), static_cast<double>(starts[i].y));
    EXPECT_NE(script.find(line), std::string::npos) << line;
  }
  EXPECT_NE(script.find("call SetPlayers( 2 )"), std::string::npos);
  const auto triggers = ParseWtg(ArchiveFile(archive.get(), "war3map.wtg"));
  ASSERT_EQ(triggers.size(), 1u);
  EXPECT_EQ(triggers[0].name, "Melee Initialization");
  EXPECT_NE(script.find("function InitTrig_Melee_Initialization takes"), std::string::npos);
}

TEST(DemoMap, TerrainShadowsPathingAndMinimapFitA32TileMap) {
  const Archive archive = OpenDemo();
  ASSERT_TRUE(archive);
  const Bytes w3e = ArchiveFile(archive.get(), "war3map.w3e");
  Reader e(w3e);
  EXPECT_EQ(e.Chars(4), "W3E!");
  EXPECT_EQ(e.I32(), 11);
  EXPECT_EQ(e.U8(), 'L');
  e.I32();
  const std::int32_t grounds = e.I32();
  e.Skip(4u * static_cast<std::size_t>(grounds));
  const std::int32_t cliffs = e.I32();
  e.Skip(4u * static_cast<std::size_t>(cliffs));
  EXPECT_EQ(e.I32(), 33);
  EXPECT_EQ(e.I32(), 33);
  e.Skip(8);
  ASSERT_EQ(e.Left(), 33u * 33u * 7u);
  for (int corner = 0; corner < 33 * 33; ++corner) {
    e.Skip(4);
    EXPECT_LT(e.U8() & 0x0F, grounds) << "ground type of corner " << corner;
    e.Skip(2);
  }

  EXPECT_EQ(ArchiveFile(archive.get(), "war3map.shd").size(), 32u * 32u * 16u);

  const Bytes wpm = ArchiveFile(archive.get(), "war3map.wpm");
  Reader p(wpm);
  EXPECT_EQ(p.Chars(4), "MP3W");
  EXPECT_EQ(p.I32(), 0);
  EXPECT_EQ(p.I32(), 128);
  EXPECT_EQ(p.I32(), 128);
  EXPECT_EQ(p.Left(), 128u * 128u);

  const Bytes mmp = ArchiveFile(archive.get(), "war3map.mmp");
  Reader m(mmp);
  m.I32();
  const std::int32_t icons = m.I32();
  EXPECT_EQ(icons, 4) << "two gold mines, two start locations";
  EXPECT_EQ(m.Left(), 16u * static_cast<std::size_t>(icons));

  const Bytes minimap = ArchiveFile(archive.get(), "war3mapMap.blp");
  Reader b(minimap);
  EXPECT_EQ(b.Chars(4), "BLP1");
  EXPECT_EQ(b.U32(), 1u);
  b.U32();
  EXPECT_EQ(b.U32(), 256u);
  EXPECT_EQ(b.U32(), 256u);
}

} // namespace
} // namespace racetest
