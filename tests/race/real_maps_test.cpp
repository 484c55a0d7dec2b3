// The test readers against maps saved by the World Editor: if they read real
// files the way they read ours, our files have the real files' shape.
#include <StormLib.h>

#include "readers.h"

namespace racetest {
namespace {

Bytes FromMap(const std::string& map, const char* name) {
  const std::string path = std::string(QV_SHARED_MAPS) + "/" + map;
  if (!std::filesystem::exists(path)) return {};
  HANDLE archive = nullptr, file = nullptr;
  if (!SFileOpenArchive(path.c_str(), 0, MPQ_OPEN_FORCE_MPQ_V1 | STREAM_FLAG_READ_ONLY, &archive))
    throw std::runtime_error("cannot open " + path);
  Bytes data;
  if (SFileOpenFileEx(archive, name, SFILE_OPEN_FROM_MPQ, &file)) {
    data.resize(SFileGetFileSize(file, nullptr));
    DWORD read = 0;
    SFileReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr);
    data.resize(read);
    SFileCloseFile(file);
  }
  SFileCloseArchive(archive);
  return data;
}

TEST(RealMaps, MeleeTriggersReadLikeOurs) {
  const Bytes wtg = FromMap("melee-tft-beta-4p.w3x", "war3map.wtg");
  if (wtg.empty()) GTEST_SKIP() << "shared maps not at hand";
  const auto triggers = ParseWtg(wtg);
  ASSERT_EQ(triggers.size(), 1u);
  EXPECT_EQ(triggers[0].name, "Melee Initialization");
  ASSERT_EQ(triggers[0].functions.size(), 9u);
  EXPECT_EQ(triggers[0].functions[0], std::make_pair(0, std::string("MapInitializationEvent")));
  EXPECT_EQ(triggers[0].functions[8], std::make_pair(2, std::string("MeleeInitVictoryDefeat")));

  const auto texts = ParseWct(FromMap("melee-tft-beta-4p.w3x", "war3map.wct"));
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_TRUE(texts[0].empty());
}

TEST(RealMaps, StringFilesReadLikeOurs) {
  for (const char* map : {"melee-tft-beta-4p.w3x", "melee-131-2p.w3x", "small-custom.w3x"}) {
    const Bytes wts = FromMap(map, "war3map.wts");
    if (wts.empty()) GTEST_SKIP() << "shared maps not at hand";
    const auto strings = ParseWts(AsText(wts));
    EXPECT_FALSE(strings.empty()) << map;
    EXPECT_LT(strings.begin()->first, 25u) << map;
  }
}

} // namespace
} // namespace racetest
