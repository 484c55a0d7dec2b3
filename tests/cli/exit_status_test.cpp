// The exit status a script relies on: 0 done, 1 done with an error message,
// 2 refused with the map unchanged, 64 wrong usage.
#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>

#include "cli_support.h"
#include "manifest.h"

namespace clitest {
namespace {

// A race file too big for an MPQ archive (over 4 GiB; sparse, so it costs no disk
// space) passes every check before the run but cannot be added to the map.
void MakeTooBigToAdd(const std::string& path) {
  ASSERT_EQ(truncate(path.c_str(), 5LL << 30), 0) << path;
}

struct RunCase {
  const char* name;
  const char* command;
  const char* map; // in ../shared/maps; empty: a file that is no archive
  bool install_first;
  std::function<void(const std::string& race)> spoil_race;
  int exit_code;
  const char* error; // expected on standard error
};

// Test names say enough; the default would dump the bytes of the case.
void PrintTo(const RunCase& c, std::ostream* os) {
  *os << c.name;
}

class ExitStatusTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(ExitStatusTest, TellsHowTheRunEnded) {
  const RunCase& c = GetParam();
  TempDir dir;
  const std::string race = dir.path() + "race/";
  WriteRace(race);
  std::string map = dir.path() + "map.w3x";
  if (*c.map != '\0') {
    CopyMap(c.map, dir.path());
  } else {
    WriteFile(map, "plain text, no archive");
  }
  if (c.install_first) {
    ASSERT_EQ(RunQvrace({"install", "--race", race, map}).exit_code, 0);
  }
  if (c.spoil_race) c.spoil_race(race);
  const std::string before = ReadFile(map);

  Result result = RunQvrace({c.command, "--race", race, map});
  EXPECT_EQ(result.exit_code, c.exit_code) << result.out << result.err;
  EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
  if (c.exit_code == 0) {
    EXPECT_EQ(result.err, "");
  }
  if (c.exit_code == 2) {
    EXPECT_EQ(ReadFile(map), before);
  } else {
    EXPECT_NE(ReadFile(map), before);
  }
}

const RunCase kRunCases[] = {
    {"InstallDone", "install", "melee-131-2p.w3x", false, nullptr, 0, ""},
    {"UninstallDone", "uninstall", "small-custom.w3x", true, nullptr, 0, ""},
    {"InstallOneFileNotAdded", "install", "melee-131-2p.w3x", false,
     [](const std::string& race) { MakeTooBigToAdd(RacePath(race, qv::g_szMapFiles[7])); }, 1,
     "Error!: File couldn't be imported!\n"},
    {"UninstallScriptNotPutBack", "uninstall", "melee-131-2p.w3x", true,
     [](const std::string& race) { MakeTooBigToAdd(RacePath(race, "Temp\\war3map.j")); }, 1,
     "Error!: File couldn't be deleted!\n"},
    {"InstallRaceFileMissing", "install", "melee-131-2p.w3x", false,
     [](const std::string& race) { std::remove(RacePath(race, qv::szResources[3]).c_str()); }, 2,
     "Error!: A file of the race is missing: "},
    {"InstallNotAMap", "install", "", false, nullptr, 2, "Error!: File couldn't be read!\n"},
    {"UninstallRaceNotThere", "uninstall", "melee-tft-beta-4p.w3x", false, nullptr, 2,
     "Error!: The race is not installed in this map!\n"},
};

INSTANTIATE_TEST_SUITE_P(Runs, ExitStatusTest, ::testing::ValuesIn(kRunCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(WrongUsage, EndsWith64AndSaysWhatWasWrong) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {{}, "no command given"},
      {{"frobnicate", "x.w3x"}, "unknown command: frobnicate"},
      {{"install", "--force", "x.w3x"}, "unknown option: --force"},
      {{"install", "x.w3x", "--race"}, "--race needs a value"},
      {{"install", "--lang", "fr", "x.w3x"}, "--lang takes en or de, not fr"},
      {{"install"}, "install needs a map"},
      {{"uninstall", "--backup", "x.w3x"}, "--backup does not apply to uninstall"},
      {{"status", "--open", "x.w3x"}, "--open does not apply to status"},
      {{"check-race", "x.w3x"}, "check-race takes no map"},
      {{"--lang=de", "install"}, "install braucht eine Map"},
  };
  for (const Case& c : cases) {
    Result result = RunQvrace(c.args);
    EXPECT_EQ(result.exit_code, 64) << c.message;
    EXPECT_EQ(result.out, "") << c.message;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

TEST(HelpAndVersion, AnswerWithoutRunningAnything) {
  Result version = RunQvrace({"--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out, "qvrace 0.4.0\n");
  // Help wins over everything else on the line, even mistakes.
  Result help = RunQvrace({"install", "--bogus", "--help"});
  EXPECT_EQ(help.exit_code, 0);
  for (const char* word : {"install MAP...", "uninstall MAP...", "status MAP", "check-race", "--backup",
                           "--lang", "--race DIR", "--open", "--events", "64"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
}

} // namespace
} // namespace clitest
