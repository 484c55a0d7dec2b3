// qvrace-make-race as a person or the build runs it.
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "manifest.h"
#include "readers.h"

namespace racetest {
namespace {

int RunMakeRace(const std::string& args) {
  const std::string command = std::string("\"") + QV_MAKE_RACE + "\" " + args + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(MakeRaceCommand, WritesTheRaceAndTheDemoMapWhereAsked) {
  TempDir dir;
  const auto race = dir.Path() / "program dir";
  const auto map = dir.Path() / "demo.w3x";
  ASSERT_EQ(RunMakeRace("--race \"" + race.string() + "\" --demo-map \"" + map.string() + "\""), 0);
  for (const char* n : qv::g_szMapFiles)
    EXPECT_TRUE(std::filesystem::is_regular_file(OnDisk(race, n))) << n;
  EXPECT_TRUE(std::filesystem::is_regular_file(race / qv::kRaceStrings));
  EXPECT_EQ(AsText(ReadAll(map)).substr(0, 4), "HM3W");
}

TEST(MakeRaceCommand, RefusesBadUseAndUnwritablePlaces) {
  TempDir dir;
  EXPECT_EQ(RunMakeRace(""), 2);
  EXPECT_EQ(RunMakeRace("--race"), 2);
  EXPECT_EQ(RunMakeRace("--frobnicate x"), 2);
  // A file where the race's folders would have to go.
  const auto blocker = dir.Path() / "file";
  std::ofstream(blocker) << "x";
  EXPECT_EQ(RunMakeRace("--race \"" + blocker.string() + "\""), 1);
  EXPECT_EQ(RunMakeRace("--demo-map \"" + (blocker / "map.w3x").string() + "\""), 1);
}

} // namespace
} // namespace racetest
