// --events: the JSON lines a script reads, for whole runs on real maps.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "cli_support.h"
#include "manifest.h"

namespace clitest {
namespace {

// Every line of standard output as an object; a line that is not one fails the test.
std::vector<JsonFields> Events(const Result& result) {
  std::vector<JsonFields> events;
  for (const std::string& line : result.OutLines()) {
    std::optional<JsonFields> event = ParseJsonLine(line);
    EXPECT_TRUE(event.has_value()) << "not a JSON object: " << line;
    if (event) events.push_back(*event);
  }
  return events;
}

std::vector<JsonFields> OfKind(const std::vector<JsonFields>& events, const std::string& ui) {
  std::vector<JsonFields> found;
  for (const JsonFields& event : events) {
    if (event.at("ui") == ui) found.push_back(event);
  }
  return found;
}

// Steps counted per phase; a phase starts where the bar is set back to 0.
std::vector<int> StepsPerPhase(const std::vector<JsonFields>& events) {
  std::vector<int> phases;
  for (const JsonFields& event : events) {
    if (event.at("ui") == "pos" && event.at("value") == "0") phases.push_back(0);
    if (event.at("ui") == "step" && !phases.empty()) ++phases.back();
  }
  return phases;
}

std::vector<std::string> Ranges(const std::vector<JsonFields>& events) {
  std::vector<std::string> ranges;
  for (const JsonFields& event : OfKind(events, "range"))
    ranges.push_back(event.at("max"));
  return ranges;
}

const JsonFields kButtonsOff = {{"ui", "buttons"}, {"enabled", "false"}};
const JsonFields kProgressOn = {{"ui", "progress"}, {"visible", "true"}};
const JsonFields kProgressOff = {{"ui", "progress"}, {"visible", "false"}};
const char* const kNotice = "If you click the OK-Button, the WolrdEditor will start. Just save the Map. The "
                            "WorldEditor must create some important files...";

class EventsTest : public ::testing::Test {
protected:
  void SetUp() override { WriteRace(race_); }
  TempDir dir_;
  std::string race_ = dir_.path() + "race/";
};

TEST_F(EventsTest, InstallThenUninstallReportEveryStepAndChangeTheMap) {
  const std::string map = CopyMap("melee-131-2p.w3x", dir_.path());

  Result install = RunQvrace({"install", "--events", "--race", race_, map});
  ASSERT_EQ(install.exit_code, 0) << install.err;
  EXPECT_EQ(install.err, "");
  std::vector<JsonFields> events = Events(install);
  ASSERT_GE(events.size(), 6u);
  EXPECT_EQ(events[0], kButtonsOff);
  EXPECT_EQ(events[1], kProgressOn);
  EXPECT_EQ(events.back(), kProgressOff);
  // Extraction and base import share the first range; then the race's files, then its resources.
  EXPECT_EQ(Ranges(events), (std::vector<std::string>{"11", "123", "12"}));
  EXPECT_EQ(StepsPerPhase(events), (std::vector<int>{11, 11, 123, 12}));
  std::vector<JsonFields> messages = OfKind(events, "message");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0],
            (JsonFields{{"ui", "message"}, {"title", "Error!"}, {"text", kNotice}, {"icon", "exclamation"}}));
  EXPECT_EQ(OfKind(events, "launch"), (std::vector<JsonFields>{{{"ui", "launch"}, {"target", map}}}));
  EXPECT_EQ(events[events.size() - 3], (JsonFields{{"ui", "status"}, {"part", "0"}, {"text", "Ready."}}));
  // The file being copied is named in status part 1, as a path in the race folder.
  EXPECT_NE(
      std::find(events.begin(), events.end(),
                JsonFields{{"ui", "status"}, {"part", "1"}, {"text", RacePath(race_, qv::g_szMapFiles[5])}}),
      events.end());
  for (const char* name : qv::g_szMapFiles) {
    EXPECT_EQ(ReadArchiveFile(map, name), std::string("race file ") + name) << name;
  }
  EXPECT_EQ(ReadArchiveFile(map, "war3map.j"), "resource war3map.j");
  std::string strings = ReadArchiveFile(map, "war3map.wts").value_or("");
  EXPECT_NE(strings.find("STRING 10\r\n"), std::string::npos);
  EXPECT_NE(strings.find(kRaceStrings), std::string::npos);

  Result uninstall = RunQvrace({"uninstall", "--events", "--race", race_, map});
  ASSERT_EQ(uninstall.exit_code, 0) << uninstall.err;
  events = Events(uninstall);
  EXPECT_EQ(events.front(), kButtonsOff);
  EXPECT_EQ(events.back(), kProgressOff);
  EXPECT_EQ(Ranges(events), (std::vector<std::string>{"11", "123", "12", "13"}));
  EXPECT_EQ(StepsPerPhase(events), (std::vector<int>{11, 123, 12, 13}));
  ASSERT_EQ(OfKind(events, "message").size(), 1u);
  EXPECT_EQ(OfKind(events, "message")[0].at("text"), kNotice);
  for (const char* name : qv::g_szMapFiles)
    EXPECT_FALSE(ReadArchiveFile(map, name).has_value()) << name;
  EXPECT_EQ(ReadArchiveFile(map, "war3map.j"), "// the plain melee script\r\n");
  strings = ReadArchiveFile(map, "war3map.wts").value_or("");
  EXPECT_NE(strings.find("STRING 10\r\n"), std::string::npos);
  EXPECT_EQ(strings.find("STRING 25"), std::string::npos);
}

TEST_F(EventsTest, GermanTextsAndRefusalAreReportedAsTheWindowWouldShowThem) {
  const std::string map = CopyMap("melee-131-4p.w3x", dir_.path());
  Result result = RunQvrace({"uninstall", "--events", "--lang", "de", "--race", race_, map});
  EXPECT_EQ(result.exit_code, 2);
  EXPECT_EQ(result.err, "");
  std::vector<JsonFields> events = Events(result);
  std::vector<JsonFields> expected = {
      kButtonsOff,
      kProgressOn,
      {{"ui", "message"},
       {"title", "Fehler!"},
       {"text", "Die Rasse ist in dieser Map nicht installiert!"},
       {"icon", "exclamation"}},
      {{"ui", "status"}, {"part", "0"}, {"text", "Bereit."}},
      {{"ui", "status"}, {"part", "1"}, {"text", "Unbekannt"}},
      kProgressOff,
  };
  EXPECT_EQ(events, expected);
}

TEST_F(EventsTest, MapPathsWithQuotesBackslashesAndControlCharactersStayExact) {
  const std::string map =
      CopyMap("melee-131-2p.w3x", dir_.path(), "a \"quoted\" back\\slash\ttab \xC3\xBC.w3x");
  Result result = RunQvrace({"install", "--events", "--race", race_, map});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  std::vector<JsonFields> launches = OfKind(Events(result), "launch");
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_EQ(launches[0].at("target"), map);
  EXPECT_NE(result.out.find("\\\"quoted\\\" back\\\\slash\\ttab \xC3\xBC"), std::string::npos);
}

TEST_F(EventsTest, SeveralMapsRunOneAfterAnotherAndTheWorstStatusCounts) {
  const std::string first = CopyMap("melee-131-2p.w3x", dir_.path(), "first.w3x");
  const std::string broken = dir_.path() + "broken.w3x";
  WriteFile(broken, "not an archive");
  const std::string last = CopyMap("melee-tft-beta-4p.w3x", dir_.path(), "last.w3x");
  const std::string last_before = ReadFile(last);

  Result result = RunQvrace({"install", "--events", "--backup", "--race", race_, first, broken, last});
  EXPECT_EQ(result.exit_code, 2);
  std::vector<JsonFields> events = Events(result);
  EXPECT_EQ(OfKind(events, "buttons").size(), 3u);
  std::vector<JsonFields> launches = OfKind(events, "launch");
  ASSERT_EQ(launches.size(), 2u);
  EXPECT_EQ(launches[0].at("target"), first);
  EXPECT_EQ(launches[1].at("target"), last);
  std::vector<JsonFields> messages = OfKind(events, "message");
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1].at("text"), "File couldn't be read!");
  // A refusal in the middle keeps neither the maps before nor after it from their run.
  EXPECT_TRUE(ReadArchiveFile(first, qv::g_szMapFiles[0]).has_value());
  EXPECT_TRUE(ReadArchiveFile(last, qv::g_szMapFiles[0]).has_value());
  EXPECT_EQ(ReadFile(broken), "not an archive");
  EXPECT_EQ(ReadFile(last + ".BAK"), last_before);
  EXPECT_EQ(ReadFile(last).substr(0, 4), "HM3W");
}

TEST_F(EventsTest, OpenStartsTheAssociatedProgramOnlyWhenAskedAndKeepsItOffStandardOutput) {
  // A stand-in for xdg-open: it notes what it opened and where its standard output goes.
  const std::string bin = dir_.path() + "bin/";
  const std::string opened = dir_.path() + "opened";
  WriteFile(bin + "xdg-open",
            "#!/bin/sh\nstdout=$(readlink /proc/$$/fd/1)\nprintf '%s\\n' \"$1\" \"$stdout\" > '" + opened +
                ".tmp' && mv '" + opened + ".tmp' '" + opened + "'\n");
  ASSERT_EQ(chmod((bin + "xdg-open").c_str(), 0755), 0);
  const char* path = std::getenv("PATH");
  const std::string saved_path = path != nullptr ? path : "/usr/bin:/bin";
  setenv("PATH", (bin.substr(0, bin.size() - 1) + ":" + saved_path).c_str(), 1);
  const std::string map = CopyMap("melee-131-2p.w3x", dir_.path());

  Result plain = RunQvrace({"install", "--events", "--race", race_, map});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(std::filesystem::exists(opened));

  Result open = RunQvrace({"uninstall", "--events", "--open", "--race", race_, map});
  setenv("PATH", saved_path.c_str(), 1);
  EXPECT_EQ(plain.exit_code, 0);
  EXPECT_EQ(open.exit_code, 0);
  for (int i = 0; i < 100 && !std::filesystem::exists(opened); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  // Its output would land among the JSON lines; it goes where qvrace's errors go.
  const std::string note = ReadFile(opened);
  EXPECT_EQ(note.substr(0, note.find('\n')), map);
  const std::string stdout_target = note.substr(note.find('\n') + 1);
  EXPECT_NE(stdout_target.find("/err"), std::string::npos) << note;
  EXPECT_EQ(OfKind(Events(open), "launch").size(), 1u);
}

} // namespace
} // namespace clitest
