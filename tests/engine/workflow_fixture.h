// A program directory holding a race, and a folder of maps, for whole workflow runs.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "program_dir.h"
#include "test_support.h"
#include "workflow_expectations.h"
#include "workflows.h"

namespace qvtest {

class WorkflowTest : public ::testing::Test {
protected:
  void SetUp() override {
    race_dir = root.path() + "race/";
    map_dir = root.path() + "maps/";
    std::filesystem::create_directories(map_dir);
    WriteRace(race_dir);
    qv::SetProgramDirectory(race_dir);
    race_listing = ListFolder(race_dir);
  }
  void TearDown() override { qv::SetProgramDirectory(""); }

  qv::RunOutcome Install(const std::string& map, int language = 1, bool backup = false) {
    report = RecordingReport();
    qv::RunOptions options;
    options.map_path = map;
    options.language = language;
    options.backup = backup;
    return qv::InstallRace(options, report);
  }
  qv::RunOutcome Uninstall(const std::string& map, int language = 1) {
    report = RecordingReport();
    qv::RunOptions options;
    options.map_path = map;
    options.language = language;
    return qv::UninstallRace(options, report);
  }
  std::string Disk(const std::string& archive_name) const { return RacePath(race_dir, archive_name); }

  TempDir root;
  std::string race_dir;
  std::string map_dir;
  std::vector<std::string> race_listing; // the program directory before any run
  RecordingReport report;
};

} // namespace qvtest
