#include "check_race_command.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "exit_status.h"
#include "file_system.h"
#include "json.h"
#include "manifest.h"
#include "paths.h"
#include "program_dir.h"

namespace qvcli {
namespace {

// Every file the workflows read from the race's folder, as disk paths.
std::vector<std::string> RaceFiles(const std::string& dir) {
  std::vector<std::string> files;
  for (const char* name : qv::g_szMapFiles)
    files.push_back(qv::DiskPath(dir, name));
  for (const char* name : qv::szResources)
    files.push_back(qv::DiskPath(dir, name));
  files.push_back(qv::DiskPath(dir, qv::kRaceStrings));
  // The plain script and triggers an uninstall puts back.
  files.push_back(qv::TempFolderPath(dir, qv::szNeededFiles[11]));
  files.push_back(qv::TempFolderPath(dir, qv::szNeededFiles[12]));
  return files;
}

// An uninstall cuts the map's strings at the race's first line; race strings that
// start elsewhere would stay in the map for good.
bool RaceStringsStartRight(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char head[32] = {0};
  std::size_t n = std::fread(head, 1, sizeof(head) - 1, file);
  std::fclose(file);
  std::string text(head, n);
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  const std::string header = qv::kRaceStringsHeader;
  return text.compare(0, header.size(), header) == 0 &&
         (text.size() == header.size() || text[header.size()] == '\r' || text[header.size()] == '\n');
}

} // namespace

int CheckRace(const CommandLine& line) {
  const std::string dir = qv::GetPathOfModule();
  const std::vector<std::string> files = RaceFiles(dir);
  std::vector<std::string> missing;
  for (const std::string& path : files) {
    if (!qv::IsRegularFile(path)) missing.push_back(path);
  }
  const std::string strings = qv::DiskPath(dir, qv::kRaceStrings);
  const bool strings_ok = !qv::IsRegularFile(strings) || RaceStringsStartRight(strings);
  const bool complete = missing.empty() && strings_ok;

  if (line.events) {
    std::printf("%s\n", JsonObject()
                            .Add("race_dir", dir)
                            .Add("complete", complete)
                            .Add("files", static_cast<long long>(files.size()))
                            .Add("missing", missing)
                            .Add("strings_header", strings_ok)
                            .str()
                            .c_str());
  } else {
    const int lang = line.language;
    std::printf("%s\n", CliFormat(CliText::RaceFolder, lang, {dir}).c_str());
    const std::string total = std::to_string(files.size());
    if (missing.empty()) {
      std::printf("%s\n", CliFormat(CliText::RaceComplete, lang, {total}).c_str());
    } else {
      std::printf("%s\n",
                  CliFormat(CliText::RaceMissing, lang, {std::to_string(missing.size()), total}).c_str());
      for (const std::string& path : missing)
        std::printf("  %s\n", path.c_str());
    }
    if (!strings_ok) std::printf("%s\n", CliFormat(CliText::RaceBadStrings, lang, {strings}).c_str());
  }
  std::fflush(stdout);
  return complete ? kExitOk : kExitWithErrors;
}

} // namespace qvcli
