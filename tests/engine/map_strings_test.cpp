#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "map_strings.h"
#include "test_support.h"

namespace {

using qvtest::ReadFile;
using qvtest::TempDir;
using qvtest::WriteFile;

struct MergeCase {
  const char* name;
  std::optional<std::string> map;
  std::optional<std::string> race;
  bool cut;
  std::string expected;
};

TEST(CreateMapStrings, MergesLinesWithCrLf) {
  const std::string bom = "\xEF\xBB\xBF";
  const MergeCase cases[] = {
      {"both", std::string("STRING 1\r\n{\r\nA\r\n}\r\n"), std::string("STRING 25\r\n{\r\nB\r\n}\r\n"), false,
       "STRING 1\r\n{\r\nA\r\n}\r\nSTRING 25\r\n{\r\nB\r\n}\r\n"},
      {"map missing", std::nullopt, std::string("STRING 25\r\n"), false, "STRING 25\r\n"},
      {"race missing", std::string("STRING 1\r\n"), std::nullopt, false, "STRING 1\r\n"},
      {"both missing", std::nullopt, std::nullopt, false, ""},
      {"bare line feeds", std::string("a\nb\n"), std::string("c\n"), false, "a\r\nb\r\nc\r\n"},
      {"no final line end", std::string("a\r\nlast"), std::string("STRING 25"), false,
       "a\r\nlast\r\nSTRING 25\r\n"},
      {"empty lines and lone CR stay", std::string("a\r\n\r\nb\rc\r\n"), std::string(""), false,
       "a\r\n\r\nb\rc\r\n"},
      {"map's mark stays, race's goes", bom + "STRING 1\r\n", bom + "STRING 25\r\n", false,
       bom + "STRING 1\r\nSTRING 25\r\n"},
      {"reinstall cuts the old race strings", std::string("STRING 1\r\nx\r\nSTRING 25\r\nold\r\n"),
       std::string("STRING 25\r\nnew\r\n"), true, "STRING 1\r\nx\r\nSTRING 25\r\nnew\r\n"},
  };
  for (const MergeCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    if (c.map) WriteFile(dir.path() + "war3map_1.wts", *c.map);
    if (c.race) WriteFile(dir.path() + "war3map_2.wts", *c.race);
    ASSERT_TRUE(qv::CreateMapStrings(dir.path(), c.cut));
    EXPECT_EQ(ReadFile(dir.path() + "war3map.wts"), c.expected);
  }
}

TEST(CreateOldMapStrings, KeepsTheLinesBeforeTheRaceStrings) {
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      {std::nullopt, ""},
      {std::string("STRING 25\r\nrest\r\n"), ""},
      {std::string("STRING 1\r\na\r\n"), "STRING 1\r\na\r\n"},
      {std::string("STRING 1\nSTRING 25\nSTRING 2\n"), "STRING 1\r\n"},
      // Only the whole line, exactly, ends the map's own strings.
      {std::string("STRING 250\r\nSTRING 25 \r\n STRING 25\r\nstring 25\r\nSTRING 25\r\nx\r\n"),
       "STRING 250\r\nSTRING 25 \r\n STRING 25\r\nstring 25\r\n"},
  };
  for (const auto& [input, expected] : cases) {
    SCOPED_TRACE(input.value_or("<missing>"));
    TempDir dir;
    if (input) WriteFile(dir.path() + "war3map_temp.wts", *input);
    WriteFile(dir.path() + "war3map.wts", "stale");
    ASSERT_TRUE(qv::CreateOldMapStrings(dir.path()));
    EXPECT_EQ(ReadFile(dir.path() + "war3map.wts"), expected);
  }
}

TEST(MapStrings, InstallThenUninstallGivesBackTheMapsOwnLines) {
  TempDir dir;
  const std::string own = "\xEF\xBB\xBFSTRING 1\n{\nMy map\n}\n\nSTRING 7\r\n// note\r\n{\r\nPlayer 1\r\n}";
  WriteFile(dir.path() + "war3map_1.wts", own);
  WriteFile(dir.path() + "war3map_2.wts", "\xEF\xBB\xBFSTRING 25\r\n{\r\nRace\r\n}\r\n");
  ASSERT_TRUE(qv::CreateMapStrings(dir.path(), false));
  WriteFile(dir.path() + "war3map_temp.wts", ReadFile(dir.path() + "war3map.wts"));
  ASSERT_TRUE(qv::CreateOldMapStrings(dir.path()));
  EXPECT_EQ(ReadFile(dir.path() + "war3map.wts"),
            "\xEF\xBB\xBFSTRING 1\r\n{\r\nMy map\r\n}\r\n\r\nSTRING 7\r\n// note\r\n{\r\nPlayer 1\r\n}\r\n");
}

TEST(MapStrings, UnwritableOutputIsReported) {
  TempDir dir;
  WriteFile(dir.path() + "war3map_1.wts", "STRING 1\r\n");
  // A folder in the output's place cannot be opened as a file.
  std::filesystem::create_directory(dir.path() + "war3map.wts");
  EXPECT_FALSE(qv::CreateMapStrings(dir.path(), false));
  EXPECT_FALSE(qv::CreateOldMapStrings(dir.path()));
}

TEST(StringIdScanner, FindsHeaderLinesInPiecesOfAnySize) {
  const std::string text =
      "\xEF\xBB\xBFSTRING 3\r\n{\r\nSTRING 99 is text\r\n}\r\n\r\nSTRING 25\r\n{\r\n}\r\n"
      "STRING 7 \r\nSTRINGS 8\r\nSTRING x\r\nSTRING 4294967296\r\nSTRING 1000";
  for (std::size_t piece : {std::size_t{1}, std::size_t{5}, text.size()}) {
    qv::StringIdScanner scanner;
    for (std::size_t at = 0; at < text.size(); at += piece) {
      scanner.Feed(text.data() + at, std::min(piece, text.size() - at));
    }
    EXPECT_EQ(scanner.Finish(), (std::vector<unsigned>{3, 25, 7, 1000})) << "piece " << piece;
  }
}

TEST(StringIdScanner, AHugeLineDoesNotHideTheNextHeader) {
  qv::StringIdScanner scanner;
  std::string chunk(1 << 20, 'x');
  for (int i = 0; i < 10; ++i)
    scanner.Feed(chunk.data(), chunk.size());
  scanner.Feed("\nSTRING 12\n", 11);
  EXPECT_EQ(scanner.Finish(), std::vector<unsigned>{12});
}

} // namespace
