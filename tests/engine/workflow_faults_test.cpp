// Runs that must stop before the map is touched, or must leave it whole when
// something fails on the way: the map is compared byte for byte afterwards.
#include <sys/stat.h>

#include <filesystem>

#include "file_system.h"
#include "run_lock.h"
#include "workflow_fixture.h"

namespace {

using namespace qvtest;
namespace fs = std::filesystem;

std::string En(qv::Text text, const std::string& arg = "") {
  return qv::TrFormat(text, 1, arg);
}

class Faults : public WorkflowTest {
protected:
  // Checks that the map and both folders are exactly as before the run.
  void ExpectNothingWritten(const std::string& map, const std::string& bytes_before,
                            const std::vector<std::string>& map_dir_before) {
    EXPECT_EQ(ReadFile(map), bytes_before);
    EXPECT_EQ(ListFolder(race_dir), race_listing);
    EXPECT_EQ(ListFolder(map_dir), map_dir_before);
    EXPECT_EQ(report.launches, 0);
  }
  // The last events of a refused run: its one message, then the end step.
  void ExpectRefusedWith(const std::string& message, int language = 1) {
    ASSERT_EQ(report.Messages().size(), 1u) << report.Messages()[0];
    std::vector<std::string> end = ExpectedRefusal(language, message);
    end.erase(end.begin(), end.begin() + 2);
    ASSERT_GE(report.events.size(), end.size());
    EXPECT_EQ(
        std::vector<std::string>(report.events.end() - static_cast<long>(end.size()), report.events.end()),
        end);
  }
};

TEST_F(Faults, FailedOpenLeavesTheMapAsItWas) {
  const std::string map = CopyMap("melee-131-2p.w3x", map_dir);
  const std::string before = ReadFile(map);
  // A folder where the new archive would be built cannot be replaced.
  fs::create_directories(map + ".qvn/in-the-way");
  EXPECT_EQ(Install(map), qv::RunOutcome::Refused);
  ExpectRefusedWith(En(qv::Text::MsgNotCreated));
  ExpectNothingWritten(map, before, {"melee-131-2p.w3x"});

  // The uninstall keeps its status and progress bar as they were.
  ASSERT_EQ(Install(CopyMap("small-custom.w3x", map_dir)), qv::RunOutcome::Finished);
  const std::string installed = map_dir + "small-custom.w3x";
  const std::string installed_bytes = ReadFile(installed);
  fs::create_directories(installed + ".qvn/in-the-way");
  EXPECT_EQ(Uninstall(installed), qv::RunOutcome::Refused);
  EXPECT_EQ(report.Messages(), std::vector<std::string>{"Error!|" + En(qv::Text::MsgNotCreated) + "|!"});
  EXPECT_EQ(report.events[report.events.size() - 3], "status 1 war3map.wts");
  EXPECT_EQ(report.events[report.events.size() - 2], "step");
  EXPECT_EQ(ReadFile(installed), installed_bytes);
  std::vector<std::string> after = race_listing;
  after.push_back("war3map_temp.wts");
  std::sort(after.begin(), after.end());
  EXPECT_EQ(ListFolder(race_dir), after);
}

TEST_F(Faults, AReadOnlyMapIsNotReplaced) {
  const std::string map = CopyMap("small-custom.w3x", map_dir);
  const std::string before = ReadFile(map);
  fs::permissions(map, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(Install(map), qv::RunOutcome::Refused);
  ExpectRefusedWith(En(qv::Text::MsgNotCreated));
  ExpectNothingWritten(map, before, {"small-custom.w3x"});
  EXPECT_EQ(fs::status(map).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(Faults, FailedSaveLeavesTheMapAsItWasAndNoTemporaryFile) {
  // This map has the 512-byte header, which is put in front in a file of its own.
  const std::string map = CopyMap("melee-tft-beta-4p.w3x", map_dir);
  const std::string before = ReadFile(map);
  fs::create_directories(map + ".qvh/in-the-way");
  EXPECT_EQ(Install(map), qv::RunOutcome::Refused);
  ExpectRefusedWith(En(qv::Text::MsgNotSaved));
  ExpectNothingWritten(map, before, {"melee-tft-beta-4p.w3x"});
}

TEST_F(Faults, AMapThatIsNotAnArchiveIsRefusedBeforeAnythingIsWritten) {
  const std::string map = map_dir + "broken.w3x";
  std::string junk(70000, '\0');
  for (std::size_t i = 0; i < junk.size(); ++i)
    junk[i] = static_cast<char>(i * 7919 % 251);
  const std::pair<const char*, std::string> cases[] = {
      {"random bytes", junk},
      {"empty", ""},
      {"only a map header", "HM3W" + std::string(508, '\0')},
      {"truncated archive", ReadFile(SharedMap("small-custom.w3x")).substr(0, 600)},
  };
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    WriteFile(map, bytes);
    EXPECT_EQ(Install(map, 2), qv::RunOutcome::Refused);
    EXPECT_EQ(report.events, ExpectedRefusal(2, qv::Tr(qv::Text::MsgNotRead, 2)));
    ExpectNothingWritten(map, bytes, {"broken.w3x"});
    EXPECT_EQ(Uninstall(map), qv::RunOutcome::Refused);
    EXPECT_EQ(report.events, ExpectedRefusal(1, En(qv::Text::MsgNotRead)));
  }
  fs::remove(map);
  EXPECT_EQ(Install(map), qv::RunOutcome::Refused);
  EXPECT_EQ(report.events, ExpectedRefusal(1, En(qv::Text::MsgNotRead)));
}

TEST_F(Faults, AnExtractionThatCannotWriteStopsBeforeTheMapIsTouched) {
  const std::string map = CopyMap("melee-131-4p.w3x", map_dir);
  const std::string before = ReadFile(map);
  // The second base file cannot be written: a folder stands in its place.
  fs::create_directories(race_dir + "war3map.shd/x");
  race_listing = ListFolder(race_dir);
  EXPECT_EQ(Install(map), qv::RunOutcome::Refused);
  ExpectRefusedWith(En(qv::Text::MsgNotExtracted));
  ExpectNothingWritten(map, before, {"melee-131-4p.w3x"});
  EXPECT_FALSE(FileExists(race_dir + "war3map.doo")) << "the first extracted file is removed again";
}

TEST_F(Faults, AFailedBackupStopsBeforeTheMapIsTouched) {
  const std::string map = CopyMap("melee-131-4p.w3x", map_dir);
  const std::string before = ReadFile(map);
  WriteFile(map + ".BAK", "older backup");
  fs::create_directories(map + ".qvb/x");
  EXPECT_EQ(Install(map, 1, true), qv::RunOutcome::Refused);
  EXPECT_EQ(report.events, ExpectedRefusal(1, En(qv::Text::MsgBackupFailed)));
  ExpectNothingWritten(map, before, {"melee-131-4p.w3x", "melee-131-4p.w3x.BAK"});
  EXPECT_EQ(ReadFile(map + ".BAK"), "older backup");
}

TEST_F(Faults, AMissingRaceFileIsNamedAndNothingIsWritten) {
  const std::string map = CopyMap("small-custom.w3x", map_dir);
  const std::string before = ReadFile(map);
  const std::string missing[] = {Disk(qv::g_szMapFiles[57]), Disk("war3map.w3u"), Disk("war3map_2.wts")};
  for (const std::string& path : missing) {
    SCOPED_TRACE(path);
    std::string bytes = ReadFile(path);
    fs::remove(path);
    race_listing = ListFolder(race_dir);
    EXPECT_EQ(Install(map), qv::RunOutcome::Refused);
    EXPECT_EQ(report.events, ExpectedRefusal(1, En(qv::Text::MsgRaceFileMissing, path)));
    ExpectNothingWritten(map, before, {"small-custom.w3x"});
    WriteFile(path, bytes);
  }

  ASSERT_EQ(Install(map), qv::RunOutcome::Finished);
  const std::string installed = ReadFile(map);
  fs::remove(race_dir + "Temp/war3map.wtg");
  race_listing = ListFolder(race_dir);
  EXPECT_EQ(Uninstall(map, 2), qv::RunOutcome::Refused);
  EXPECT_EQ(report.events,
            ExpectedRefusal(2, qv::TrFormat(qv::Text::MsgRaceFileMissing, 2, race_dir + "Temp/war3map.wtg")));
  ExpectNothingWritten(map, installed, {"small-custom.w3x"});
}

TEST_F(Faults, AReinstallDoesNotRepeatTheRaceStrings) {
  const std::string map = CopyMap("melee-131-2p.w3x", map_dir);
  ASSERT_EQ(Install(map), qv::RunOutcome::Finished);
  const std::optional<std::string> once = ReadArchiveFile(map, "war3map.wts");
  ASSERT_EQ(Install(map), qv::RunOutcome::Finished);
  EXPECT_EQ(ReadArchiveFile(map, "war3map.wts"), once);
  EXPECT_EQ(ReadArchiveFile(map, "war3map.doo"),
            ReadArchiveFile(SharedMap("melee-131-2p.w3x"), "war3map.doo"));
}

TEST_F(Faults, StringNumbersOfTheRaceInAMapWithoutItAreRefused) {
  const std::string map = map_dir + "many-strings.w3x";
  MakeArchive(map,
              {{"war3map.w3e", "terrain"},
               {"war3map.wts", "\xEF\xBB\xBFSTRING 1\r\n{\r\na\r\n}\r\n\r\nSTRING 30\r\n{\r\nb\r\n}\r\n"}});
  const std::string before = ReadFile(map);
  EXPECT_EQ(Install(map), qv::RunOutcome::Refused);
  EXPECT_EQ(report.events, ExpectedRefusal(1, En(qv::Text::MsgStringIdsCollide)));
  ExpectNothingWritten(map, before, {"many-strings.w3x"});
}

TEST_F(Faults, UninstallOfAMapWithoutTheRaceIsRefused) {
  const std::string map = CopyMap("melee-131-2p.w3x", map_dir);
  const std::string before = ReadFile(map);
  EXPECT_EQ(Uninstall(map, 2), qv::RunOutcome::Refused);
  EXPECT_EQ(report.events, ExpectedRefusal(2, qv::Tr(qv::Text::MsgRaceNotInstalled, 2)));
  ExpectNothingWritten(map, before, {"melee-131-2p.w3x"});
}

TEST_F(Faults, ASecondRunAtTheSameTimeIsRefused) {
  const std::string map = CopyMap("melee-131-2p.w3x", map_dir);
  const std::string before = ReadFile(map);
  {
    qv::RunLock other_run;
    ASSERT_TRUE(other_run.Acquire(race_dir));
    EXPECT_EQ(Install(map), qv::RunOutcome::Refused);
    EXPECT_EQ(report.events, ExpectedRefusal(1, En(qv::Text::MsgBusy)));
    ExpectNothingWritten(map, before, {"melee-131-2p.w3x"});
  }
  // Nothing of the lock stays behind to block the next run.
  EXPECT_EQ(ListFolder(race_dir), race_listing);
  EXPECT_EQ(Install(map), qv::RunOutcome::Finished);
}

TEST_F(Faults, PathsTooLongForThePlatformAreRefusedUnchanged) {
  // A map name that leaves no room for the names of the working files beside it.
  const std::string long_name(qv::MaxNameLength() - 5, 'm');
  const std::string map = map_dir + long_name + ".w3x";
  fs::copy_file(SharedMap("melee-131-2p.w3x"), map);
  const std::string before = ReadFile(map);
  EXPECT_EQ(Install(map), qv::RunOutcome::Refused);
  EXPECT_EQ(report.events, ExpectedRefusal(1, En(qv::Text::MsgPathTooLong, map + ".qvn")));
  ExpectNothingWritten(map, before, {long_name + ".w3x"});

  // A program directory so deep that the race's longest names do not fit below it.
  std::string deep = race_dir;
  while (deep.size() + 60 < qv::MaxPathLength())
    deep += "d/";
  qv::SetProgramDirectory(deep);
  const std::string small = CopyMap("small-custom.w3x", map_dir);
  EXPECT_EQ(Install(small), qv::RunOutcome::Refused);
  ASSERT_EQ(report.Messages().size(), 1u);
  EXPECT_NE(report.Messages()[0].find(En(qv::Text::MsgPathTooLong, "")), std::string::npos);
}

} // namespace
