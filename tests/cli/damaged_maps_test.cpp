// Maps that crash, stall or exhaust the MPQ library: qvrace refuses each one quickly,
// leaves it as it was, and lives on to report it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "cli_support.h"

namespace clitest {
namespace {

TEST(DamagedMaps, AreRefusedQuicklyAndLeftAsTheyWere) {
  TempDir dir;
  const std::string race = dir.path() + "race/";
  WriteRace(race);
  const std::string crashers = std::string(QV_SHARED_MAPS) + "/../fuzz-crashers";
  int seen = 0;
  for (const auto& entry : std::filesystem::directory_iterator(crashers)) {
    if (entry.path().extension() != ".w3x") continue;
    ++seen;
    SCOPED_TRACE(entry.path().filename().string());
    const std::string bytes = ReadFile(entry.path().string());
    const std::string map = dir.path() + "damaged.w3x";
    WriteFile(map, bytes);

    auto start = std::chrono::steady_clock::now();
    Result install = RunQvrace({"install", map, "--race", race});
    Result status = RunQvrace({"status", map});
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    EXPECT_EQ(install.exit_code, 2);
    EXPECT_NE(install.err.find("Error!: File couldn't be read!"), std::string::npos) << install.err;
    // Status reads less than an install; it tells what it could read, or that it could not.
    EXPECT_TRUE(status.exit_code == 0 || status.exit_code == 1) << status.exit_code << status.err;
    EXPECT_EQ(ReadFile(map), bytes);
    EXPECT_LT(seconds, 25.0);
  }
  EXPECT_GE(seen, 7);
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    left.push_back(entry.path().filename());
  EXPECT_EQ(left.size(), 2u) << "only the race folder and the map";
}

} // namespace
} // namespace clitest
