#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "file_system.h"
#include "manifest.h"
#include "paths.h"

namespace {

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}
bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST(Manifest, RaceFilesFallIntoTheirFamilies) {
  struct Family {
    const char* folder;
    const char* prefix;
    const char* type;
    int expected;
    int found = 0;
  };
  Family families[] = {
      {"war3mapImported\\", "", ".mdx", 17},
      {"war3mapImported\\", "", ".blp", 6},
      {"war3mapImported\\", "", ".ai", 3},
      {"war3mapImported\\", "", ".wai", 3},
      {"ReplaceableTextures\\CommandButtons\\", "BTN", ".blp", 39},
      {"ReplaceableTextures\\CommandButtonsDisabled\\", "DISBTN", ".blp", 41},
      {"ReplaceableTextures\\CommandButtonsDisabled\\", "DISPASBTN", ".blp", 6},
      {"ReplaceableTextures\\PassiveButtons\\", "PASBTN", ".blp", 7},
  };
  int unit_models = 0;
  std::set<std::string> distinct;
  for (const char* entry : qv::g_szMapFiles) {
    std::string name(entry);
    ASSERT_GE(name.size(), 23u) << name;
    ASSERT_LE(name.size(), 72u) << name;
    EXPECT_NE(name[0], '\\');
    EXPECT_EQ(name.find('/'), std::string::npos) << name;
    distinct.insert(name);
    // Three folders deep below "units\", one model.
    if (StartsWith(name, "units\\") && EndsWith(name, ".mdx") &&
        std::count(name.begin(), name.end(), '\\') == 3) {
      ++unit_models;
      continue;
    }
    int matches = 0;
    for (Family& f : families) {
      std::string folder_and_prefix = std::string(f.folder) + f.prefix;
      std::string rest = name.substr(std::min(name.size(), std::strlen(f.folder)));
      if (StartsWith(name, folder_and_prefix) && EndsWith(name, f.type) &&
          rest.find('\\') == std::string::npos &&
          !(std::strcmp(f.prefix, "DISBTN") == 0 && StartsWith(rest, "DISPASBTN"))) {
        ++f.found;
        ++matches;
      }
    }
    EXPECT_EQ(matches, 1) << name;
  }
  EXPECT_EQ(unit_models, 1);
  EXPECT_EQ(distinct.size(), qv::kMapFileCount);
  for (const Family& f : families)
    EXPECT_EQ(f.found, f.expected) << f.folder << f.prefix << f.type;

  // The images: one race icon, two info cards, three hero score screens.
  int btn = 0, infocard = 0, scorescreen = 0;
  for (const char* entry : qv::g_szMapFiles) {
    std::string name(entry);
    if (!StartsWith(name, "war3mapImported\\") || !EndsWith(name, ".blp")) continue;
    std::string file = name.substr(16);
    btn += StartsWith(file, "BTN");
    infocard += StartsWith(file, "infocard-");
    scorescreen += StartsWith(file, "scorescreen-hero-");
  }
  EXPECT_EQ(btn, 1);
  EXPECT_EQ(infocard, 2);
  EXPECT_EQ(scorescreen, 3);
}

TEST(Manifest, AiScriptsCloseTheListAlternatingWaiAndAi) {
  for (std::size_t i = 117; i < qv::kMapFileCount; i += 2) {
    std::string wai(qv::g_szMapFiles[i]), ai(qv::g_szMapFiles[i + 1]);
    ASSERT_TRUE(EndsWith(wai, ".wai")) << wai;
    ASSERT_TRUE(EndsWith(ai, ".ai")) << ai;
    EXPECT_EQ(wai.substr(0, wai.size() - 4), ai.substr(0, ai.size() - 3));
  }
  for (std::size_t i = 0; i < 117; ++i) {
    std::string name(qv::g_szMapFiles[i]);
    EXPECT_FALSE(EndsWith(name, ".ai") || EndsWith(name, ".wai")) << name;
  }
}

TEST(Manifest, WorkingNamesNeverMeetTheRaceFiles) {
  std::set<std::string> race(std::begin(qv::szResources), std::end(qv::szResources));
  race.insert(qv::kRaceStrings);
  for (std::size_t i = 0; i < qv::kBaseFileCount; ++i)
    EXPECT_EQ(race.count(qv::szNeededFiles[i]), 0u);
  for (const char* name : {qv::kInstallMapStrings, qv::kUninstallMapStrings, qv::kMergedStrings}) {
    EXPECT_EQ(race.count(name), 0u) << name;
  }
  EXPECT_STREQ(qv::szNeededFiles[11], qv::szResources[2]);
  EXPECT_STREQ(qv::szNeededFiles[12], qv::szResources[0]);
}

TEST(Paths, ArchiveNamesBecomeDiskPathsBelowTheProgramDirectory) {
  const std::string dir = "/opt/qv race/";
  EXPECT_EQ(qv::DiskPath(dir, "war3map.doo"), "/opt/qv race/war3map.doo");
  EXPECT_EQ(qv::DiskPath(dir, "ReplaceableTextures\\CommandButtons\\BTNSapling.blp"),
            "/opt/qv race/ReplaceableTextures/CommandButtons/BTNSapling.blp");
  // Script and triggers: the race's beside the program, the uninstall's in Temp.
  EXPECT_EQ(qv::DiskPath(dir, qv::szResources[2]), "/opt/qv race/war3map.j");
  EXPECT_EQ(qv::TempFolderPath(dir, qv::szNeededFiles[11]), "/opt/qv race/Temp/war3map.j");
  EXPECT_EQ(qv::TempFolderPath(dir, qv::szNeededFiles[12]), "/opt/qv race/Temp/war3map.wtg");
  EXPECT_EQ(qv::BackupPath("/maps/My Map.w3x"), "/maps/My Map.w3x.BAK");
}

TEST(Paths, TooLongPathsAreFound) {
  std::string long_name(qv::MaxNameLength() + 1, 'a');
  std::string long_path = "/" + std::string(qv::MaxPathLength(), 'b');
  std::string fits_exactly = "/" + std::string(qv::MaxNameLength(), 'c');
  EXPECT_EQ(qv::FirstPathTooLong({"/a/b", fits_exactly}), "");
  EXPECT_EQ(qv::FirstPathTooLong({"/a/b", "/x/" + long_name + "/y"}), "/x/" + long_name + "/y");
  EXPECT_EQ(qv::FirstPathTooLong({long_path, "/x/" + long_name}), long_path);
}

} // namespace
