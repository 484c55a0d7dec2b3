#include <gtest/gtest.h>

#include <filesystem>

#include "extract.h"
#include "test_support.h"

namespace {

using qvtest::FileExists;
using qvtest::ReadFile;
using qvtest::TempDir;
using qvtest::WriteFile;

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
  return bytes;
}

TEST(MPQCopyFile, CopiesFilesWholeAtEverySizeAroundTheBuffer) {
  TempDir dir;
  const std::string map = dir.path() + "map.w3x";
  const std::vector<std::pair<std::string, std::string>> files = {
      {"empty.txt", ""},
      {"exact.bin", Pattern(65536)},
      {"over.bin", Pattern(65537)},
      {"war3mapImported\\crlf.txt", "a\r\nb\nc\r"},
  };
  qvtest::MakeArchive(map, files);
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    std::string out = dir.path() + "out";
    WriteFile(out, "old content that must go");
    EXPECT_EQ(qv::MPQCopyFile(map, name.c_str(), out), qv::CopyResult::Copied);
    EXPECT_EQ(ReadFile(out), bytes);
  }
}

TEST(MPQCopyFile, NamesAreFoundWhateverTheirCase) {
  TempDir dir;
  qvtest::MakeArchive(dir.path() + "map.w3x", {{"war3map.w3I", "info"}});
  EXPECT_EQ(qv::MPQCopyFile(dir.path() + "map.w3x", "war3map.w3i", dir.path() + "out"),
            qv::CopyResult::Copied);
  EXPECT_EQ(ReadFile(dir.path() + "out"), "info");
}

TEST(MPQCopyFile, NothingIsLeftWhenThereIsNothingToCopy) {
  TempDir dir;
  const std::string map = dir.path() + "map.w3x";
  qvtest::MakeArchive(map, {{"war3map.doo", "doo"}});
  WriteFile(dir.path() + "random.w3x", Pattern(5000));
  const std::string out = dir.path() + "out";
  struct Case {
    const char* what;
    std::string map;
    const char* name;
    qv::CopyResult expected;
  } cases[] = {
      {"name the map lacks", map, "war3map.w3c", qv::CopyResult::NotInMap},
      {"missing map", dir.path() + "nothere.w3x", "war3map.doo", qv::CopyResult::MapUnreadable},
      {"not an archive", dir.path() + "random.w3x", "war3map.doo", qv::CopyResult::MapUnreadable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(out, "stale file of an earlier run");
    EXPECT_EQ(qv::MPQCopyFile(c.map, c.name, out), c.expected);
    EXPECT_FALSE(FileExists(out));
  }
}

TEST(MPQCopyFile, UnwritableOutputIsReported) {
  TempDir dir;
  const std::string map = dir.path() + "map.w3x";
  qvtest::MakeArchive(map, {{"war3map.doo", "doo"}});
  EXPECT_EQ(qv::MPQCopyFile(map, "war3map.doo", dir.path() + "no/such/folder/out"),
            qv::CopyResult::WriteFailed);
}

TEST(MPQCopyFile, ReadsEveryBaseFileOfTheRealMaps) {
  for (const std::string& name : qvtest::SharedMapNames()) {
    SCOPED_TRACE(name);
    TempDir dir;
    std::string out = dir.path() + "out";
    qv::CopyResult result = qv::MPQCopyFile(qvtest::SharedMap(name), "war3map.w3e", out);
    std::optional<std::string> expected = qvtest::ReadArchiveFile(qvtest::SharedMap(name), "war3map.w3e");
    ASSERT_TRUE(expected.has_value());
    ASSERT_EQ(result, qv::CopyResult::Copied);
    EXPECT_EQ(ReadFile(out), *expected);
  }
}

} // namespace
