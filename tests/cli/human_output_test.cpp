// What a person sees: lines in a pipe or log, a live line on a terminal, in
// English or German, errors on standard error.
#include <gtest/gtest.h>

#include "cli_support.h"

namespace clitest {
namespace {

struct Language {
  const char* option;
  std::vector<std::string> install; // the lines of an install, after the heading
  std::string heading;              // before the map's path
  std::string not_installed;        // the error of an uninstall without the race
};

void PrintTo(const Language& lang, std::ostream* os) {
  *os << lang.option;
}

class HumanOutputTest : public ::testing::TestWithParam<Language> {};

TEST_P(HumanOutputTest, PrintsOneLinePerPhaseAndTheMessagesInTheLanguageChosen) {
  const Language& lang = GetParam();
  TempDir dir;
  const std::string race = dir.path() + "race/";
  WriteRace(race);
  const std::string map = CopyMap("melee-131-2p.w3x", dir.path());

  Result install = RunQvrace({"install", "--lang", lang.option, "--race", race, map});
  EXPECT_EQ(install.exit_code, 0);
  std::vector<std::string> expected = {lang.heading + map};
  expected.insert(expected.end(), lang.install.begin(), lang.install.end());
  EXPECT_EQ(install.OutLines(), expected);
  EXPECT_EQ(install.err, "");

  const std::string other = CopyMap("melee-131-4p.w3x", dir.path(), "other.w3x");
  Result refused = RunQvrace({"uninstall", "--lang", lang.option, "--race", race, other});
  EXPECT_EQ(refused.exit_code, 2);
  EXPECT_EQ(refused.ErrLines(), std::vector<std::string>{lang.not_installed});
  EXPECT_EQ(refused.out.find(lang.not_installed), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, HumanOutputTest,
    ::testing::Values(
        Language{"en",
                 {"[11/11] Copy.", "[11/11] Transfering.", "[123/123] Transfering.", "[12/12] Transfering.",
                  "Error!: If you click the OK-Button, the WolrdEditor will start. Just save the Map. The "
                  "WorldEditor must create some important files...",
                  "Ready."},
                 "Installing the race into ",
                 "Error!: The race is not installed in this map!"},
        Language{"de",
                 {"[11/11] Kopieren.",
                  "[11/11] \xC3\x9C"
                  "bertragung.",
                  "[123/123] \xC3\x9C"
                  "bertragung.",
                  "[12/12] \xC3\x9C"
                  "bertragung.",
                  "Fehler!: Wenn sie den OK-Button dr\xC3\xBC"
                  "cken startet der WolrdEditor. Einfach die Map speichern und den Editor schlie\xC3\x9F"
                  "en. Beim Speichern generriert der WorldEditor noch ein paar wichtige Daten f\xC3\xBCr die "
                  "Map...",
                  "Bereit."},
                 "Installiere die Rasse in ",
                 "Fehler!: Die Rasse ist in dieser Map nicht installiert!"}),
    [](const auto& test) { return std::string(test.param.option); });

TEST(TerminalOutput, RewritesTheProgressLineInPlace) {
  TempDir dir;
  const std::string race = dir.path() + "race/";
  WriteRace(race);
  const std::string map = CopyMap("melee-131-2p.w3x", dir.path());

  Result result = RunQvraceInTerminal({"install", "--race", race, map});
  EXPECT_EQ(result.exit_code, 0);
  // Mid-phase the line is redrawn after a carriage return, with the file at hand;
  // a finished phase keeps its line (the terminal turns "\n" into "\r\n").
  EXPECT_NE(result.out.find("\r[ 37/123] Transfering. "), std::string::npos);
  EXPECT_NE(result.out.find("\r[123/123] Transfering.\r\n"), std::string::npos);
  EXPECT_NE(result.out.find("\r\nReady.\r\n"), std::string::npos);
  // Never wider than the terminal (100 columns here), so nothing wraps.
  std::size_t longest = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= result.out.size(); ++i) {
    if (i == result.out.size() || result.out[i] == '\r' || result.out[i] == '\n') {
      std::string piece = result.out.substr(start, i - start);
      if (piece.rfind("[", 0) == 0) longest = std::max(longest, piece.size());
      start = i + 1;
    }
  }
  EXPECT_GT(longest, 40u);
  EXPECT_LT(longest, 100u);
}

} // namespace
} // namespace clitest
