// Whole install and uninstall runs on real maps, read back with StormLib directly.
#include <StormLib.h>

#include <set>

#include "workflow_fixture.h"

namespace {

using namespace qvtest;

// The string file as the tool writes lines back: every line end CR LF.
std::string WithCrLf(const std::string& text) {
  std::string out, line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      out += line + "\r\n";
      line.clear();
    } else {
      line += text[i];
    }
  }
  if (!line.empty()) out += line + "\r\n";
  return out;
}

std::set<std::string> Listed(const std::string& map) {
  std::vector<std::string> names = ArchiveListfile(map);
  return std::set<std::string>(names.begin(), names.end());
}

class WholeRuns : public WorkflowTest {};

TEST_F(WholeRuns, InstallThenUninstallOnEveryRealMap) {
  for (const std::string& name : SharedMapNames()) {
    SCOPED_TRACE(name);
    const std::string original = SharedMap(name);
    const std::string folder = map_dir + name + ".d/";
    std::filesystem::create_directories(folder);
    const std::string map = CopyMap(name, folder);
    const std::string original_bytes = ReadFile(original);
    std::optional<std::string> own_strings = ReadArchiveFile(original, "war3map.wts");

    // Install.
    ASSERT_EQ(Install(map), qv::RunOutcome::Finished);
    EXPECT_EQ(report.events, ExpectedInstall(1, map, [this](const std::string& n) { return Disk(n); }));

    std::set<std::string> expected;
    for (std::size_t i = 0; i < qv::kBaseFileCount; ++i) {
      if (i == qv::kStringFileIndex || ReadArchiveFile(original, qv::szNeededFiles[i])) {
        expected.insert(qv::szNeededFiles[i]);
      }
    }
    const std::set<std::string> base_files = expected;
    for (const char* f : qv::g_szMapFiles)
      expected.insert(f);
    for (const char* f : qv::szResources)
      expected.insert(f);
    std::set<std::string> listed = Listed(map);
    listed.erase("(listfile)");
    EXPECT_EQ(listed, expected);
    for (std::size_t i = 0; i < qv::kStringFileIndex; ++i) {
      EXPECT_EQ(ReadArchiveFile(map, qv::szNeededFiles[i]), ReadArchiveFile(original, qv::szNeededFiles[i]))
          << qv::szNeededFiles[i];
    }
    for (const char* f : qv::g_szMapFiles)
      EXPECT_EQ(ReadArchiveFile(map, f), ReadFile(Disk(f))) << f;
    for (const char* f : qv::szResources)
      EXPECT_EQ(ReadArchiveFile(map, f), ReadFile(Disk(f))) << f;
    EXPECT_EQ(ReadArchiveFile(map, "war3map.wts"), WithCrLf(own_strings.value_or("")) + kDefaultRaceStrings);

    // The 512-byte header stays in front, with the archive right behind it.
    bool header = original_bytes.compare(0, 4, "HM3W") == 0;
    std::string rebuilt = ReadFile(map);
    if (header) {
      EXPECT_EQ(rebuilt.substr(0, 512), original_bytes.substr(0, 512));
      EXPECT_EQ(rebuilt.substr(512, 4), std::string("MPQ\x1A"));
    } else {
      EXPECT_EQ(rebuilt.substr(0, 4), std::string("MPQ\x1A"));
    }
    EXPECT_EQ(ListFolder(race_dir), race_listing) << "working files left behind";
    EXPECT_EQ(ListFolder(folder), std::vector<std::string>{name}) << "no backup, no temporary file";

    // Uninstall gives the map back its own base files and strings.
    ASSERT_EQ(Uninstall(map), qv::RunOutcome::Finished);
    EXPECT_EQ(report.events, ExpectedUninstall(1, map));
    expected = base_files;
    expected.insert({"war3map.j", "war3map.wtg"});
    listed = Listed(map);
    listed.erase("(listfile)");
    EXPECT_EQ(listed, expected);
    for (std::size_t i = 0; i < qv::kStringFileIndex; ++i) {
      EXPECT_EQ(ReadArchiveFile(map, qv::szNeededFiles[i]), ReadArchiveFile(original, qv::szNeededFiles[i]))
          << qv::szNeededFiles[i];
    }
    EXPECT_EQ(ReadArchiveFile(map, "war3map.wts"), WithCrLf(own_strings.value_or("")));
    EXPECT_EQ(ReadArchiveFile(map, "war3map.j"), ReadFile(race_dir + "Temp/war3map.j"));
    EXPECT_EQ(ReadArchiveFile(map, "war3map.wtg"), ReadFile(race_dir + "Temp/war3map.wtg"));
    if (header) {
      EXPECT_EQ(ReadFile(map).substr(0, 512), original_bytes.substr(0, 512));
    }
    // Only the uninstall's copy of the merged strings stays, by design.
    std::vector<std::string> after = race_listing;
    after.push_back("war3map_temp.wts");
    std::sort(after.begin(), after.end());
    EXPECT_EQ(ListFolder(race_dir), after);
    std::filesystem::remove(race_dir + "war3map_temp.wts");
  }
}

TEST_F(WholeRuns, TheRebuiltArchiveIsVersionOneWithSmallSectorsAndRoom) {
  const std::string map = CopyMap("melee-131-2p.w3x", map_dir);
  ASSERT_EQ(Install(map), qv::RunOutcome::Finished);
  std::string bytes = ReadFile(map);
  ASSERT_EQ(bytes.substr(0, 4), std::string("MPQ\x1A"));
  auto u16 = [&](std::size_t at) {
    return unsigned(uint8_t(bytes[at])) | unsigned(uint8_t(bytes[at + 1])) << 8;
  };
  auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
  EXPECT_EQ(u32(4), 32u) << "header size of format version 1";
  EXPECT_EQ(u16(12), 0u) << "format version 1";
  EXPECT_EQ(512u << u16(14), 4096u) << "sector size";
  EXPECT_GE(u32(24), 2048u) << "hash table entries";
}

TEST_F(WholeRuns, EveryFileIsStoredWithZlibOnly) {
  const std::string map = CopyMap("melee-131-4p.w3x", map_dir);
  // A file large enough to fill several sectors.
  std::string big;
  for (int i = 0; i < 20000; ++i)
    big += "line " + std::to_string(i) + "\r\n";
  WriteFile(Disk(qv::g_szMapFiles[0]), big);
  ASSERT_EQ(Install(map), qv::RunOutcome::Finished);
  ASSERT_EQ(ReadArchiveFile(map, qv::g_szMapFiles[0]), big);

  // Each compressed sector starts with the mask of its methods; the game reads zlib (0x02).
  const std::string bytes = ReadFile(map);
  auto u32 = [&](std::size_t at) {
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
           uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
  };
  HANDLE archive = nullptr;
  ASSERT_TRUE(SFileOpenArchive(map.c_str(), 0, MPQ_OPEN_FORCE_MPQ_V1 | MPQ_OPEN_READ_ONLY, &archive));
  int compressed_sectors = 0;
  for (const std::string& name : ArchiveListfile(map)) {
    HANDLE file = nullptr;
    ASSERT_TRUE(SFileOpenFileEx(archive, name.c_str(), 0, &file)) << name;
    ULONGLONG offset = 0;
    DWORD flags = 0, size = 0;
    SFileGetFileInfo(file, SFileInfoByteOffset, &offset, sizeof(offset), nullptr);
    SFileGetFileInfo(file, SFileInfoFlags, &flags, sizeof(flags), nullptr);
    SFileGetFileInfo(file, SFileInfoFileSize, &size, sizeof(size), nullptr);
    SFileCloseFile(file);
    if (!(flags & MPQ_FILE_COMPRESS) || size == 0 || (flags & MPQ_FILE_ENCRYPTED)) continue;
    std::size_t sectors = (size + 4095) / 4096;
    for (std::size_t i = 0; i < sectors; ++i) {
      uint32_t begin = u32(offset + 4 * i), end = u32(offset + 4 * (i + 1));
      uint32_t raw = i + 1 < sectors ? 4096 : size - 4096 * uint32_t(i);
      if (end - begin >= raw) continue; // stored as it is
      ++compressed_sectors;
      EXPECT_EQ(uint8_t(bytes[offset + begin]), 0x02) << name << " sector " << i;
    }
  }
  SFileCloseArchive(archive);
  EXPECT_GT(compressed_sectors, 10);
}

TEST_F(WholeRuns, GermanAndSilentLanguages) {
  const std::string map = CopyMap("small-custom.w3x", map_dir);
  ASSERT_EQ(Install(map, 2), qv::RunOutcome::Finished);
  EXPECT_EQ(report.events, ExpectedInstall(2, map, [this](const std::string& n) { return Disk(n); }));
  ASSERT_EQ(Uninstall(map, 2), qv::RunOutcome::Finished);
  EXPECT_EQ(report.events, ExpectedUninstall(2, map));

  // Any other language: no texts and no boxes, the map is rebuilt and opened all the same.
  ASSERT_EQ(Install(map, 0), qv::RunOutcome::Finished);
  EXPECT_EQ(report.events, ExpectedInstall(0, map, [this](const std::string& n) { return Disk(n); }));
  EXPECT_EQ(report.launches, 1);
  EXPECT_TRUE(ReadArchiveFile(map, qv::g_szMapFiles[0]).has_value());
}

TEST_F(WholeRuns, BackupCopiesTheMapAsItWasOnlyWhenAsked) {
  const std::string map = CopyMap("third-party-editor.w3x", map_dir);
  const std::string original = ReadFile(map);
  ASSERT_EQ(Install(map, 1, false), qv::RunOutcome::Finished);
  EXPECT_FALSE(FileExists(map + ".BAK"));

  // An older backup is replaced by the map as it was right before this run.
  const std::string installed = ReadFile(map);
  WriteFile(map + ".BAK", "an older backup");
  ASSERT_EQ(Install(map, 1, true), qv::RunOutcome::Finished);
  EXPECT_EQ(ReadFile(map + ".BAK"), installed);
  EXPECT_EQ(ListFolder(map_dir),
            (std::vector<std::string>{"third-party-editor.w3x", "third-party-editor.w3x.BAK"}));

  // The uninstall never makes one.
  std::filesystem::remove(map + ".BAK");
  ASSERT_EQ(Uninstall(map), qv::RunOutcome::Finished);
  EXPECT_FALSE(FileExists(map + ".BAK"));
  (void)original;
}

} // namespace
