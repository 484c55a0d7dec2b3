// check-race and status: the read-only looks at the race's folder and at a map.
#include <gtest/gtest.h>

#include <cstdio>

#include "cli_support.h"
#include "manifest.h"

namespace clitest {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CheckRace, TheBuildsRaceBesideTheProgramIsComplete) {
  Result result = RunQvrace({"check-race"});
  EXPECT_EQ(result.exit_code, 0) << result.out;
  EXPECT_TRUE(Has(result.out, "All 138 files of the race are there.")) << result.out;
}

TEST(CheckRace, ListsWhatIsMissingFromTheFolderNamedByRace) {
  TempDir dir;
  const std::string race = dir.path() + "race/";
  WriteRace(race);
  EXPECT_EQ(RunQvrace({"check-race", "--race", race}).exit_code, 0);

  const std::string model = RacePath(race, qv::g_szMapFiles[3]);
  const std::string script = RacePath(race, "Temp\\war3map.j");
  std::remove(model.c_str());
  std::remove(script.c_str());
  Result result = RunQvrace({"check-race", "--race", race, "--lang", "de"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_TRUE(Has(result.out, "2 von 138 Dateien fehlen:\n  " + model + "\n  " + script + "\n"))
      << result.out;

  WriteRace(race);
  WriteFile(RacePath(race, qv::kRaceStrings), "STRING 1\r\n{\r\nwrong start\r\n}\r\n");
  result = RunQvrace({"check-race", "--race", race, "--events"});
  EXPECT_EQ(result.exit_code, 1);
  std::optional<JsonFields> json = ParseJsonLine(result.out.substr(0, result.out.find('\n')));
  ASSERT_TRUE(json.has_value()) << result.out;
  EXPECT_EQ(json->at("complete"), "false");
  EXPECT_EQ(json->at("strings_header"), "false");
  EXPECT_EQ(json->at("missing"), "[]");
}

TEST(Status, DescribesRealMaps) {
  struct Case {
    const char* map;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"melee-131-2p.w3x",
       {"HM3W header:    no", "Race installed: no", "Base files:     11 of 11",
        "String ids:     2-6, 9-10 (7 strings)"}},
      {"melee-tft-beta-4p.w3x", {"HM3W header:    yes", "Race installed: no", "Base files:     11 of 11"}},
      {"pkware-no-strings.w3x",
       {"Base files:     8 of 11", "  missing:      war3map.w3c, war3map.w3r, war3map.wts",
        "String ids:     none (no war3map.wts)"}},
  };
  for (const Case& c : cases) {
    Result result = RunQvrace({"status", std::string(QV_SHARED_MAPS) + "/" + c.map});
    EXPECT_EQ(result.exit_code, 0) << c.map;
    for (const std::string& line : c.lines)
      EXPECT_TRUE(Has(result.out, line + "\n")) << c.map << "\n" << result.out;
  }
}

TEST(Status, SeesTheRaceAfterAnInstallAndTellsOfUnreadableMaps) {
  TempDir dir;
  const std::string race = dir.path() + "race/";
  WriteRace(race);
  const std::string map = CopyMap("melee-131-2p.w3x", dir.path());
  const std::string junk = dir.path() + "junk.w3x";
  WriteFile(junk, "no archive");
  ASSERT_EQ(RunQvrace({"install", "--race", race, map}).exit_code, 0);

  Result result = RunQvrace({"status", "--lang", "de", map, junk});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_TRUE(Has(result.out, "Rasse installiert: ja\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "String-Nummern:    2-6, 9-10, 25-26 (9 Strings)\n")) << result.out;
  EXPECT_EQ(result.err, junk + ": kein lesbares Map-Archiv\n");

  result = RunQvrace({"status", "--events", map});
  EXPECT_EQ(result.exit_code, 0);
  std::optional<JsonFields> json = ParseJsonLine(result.out.substr(0, result.out.size() - 1));
  ASSERT_TRUE(json.has_value()) << result.out;
  EXPECT_EQ(json->at("map"), map);
  EXPECT_EQ(json->at("race_installed"), "true");
  EXPECT_EQ(json->at("hm3w_header"), "false");
  EXPECT_EQ(json->at("missing_base_files"), "[]");
  EXPECT_EQ(json->at("string_ids"), "[[2,6],[9,10],[25,26]]");
}

} // namespace
} // namespace clitest
