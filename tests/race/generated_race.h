// The race written once per test process by the generator's own code into a
// temporary folder, and helpers to read its files.
#pragma once

#include <string>
#include <vector>

#include "manifest.h"
#include "race_files.h"
#include "readers.h"

namespace racetest {

inline const std::filesystem::path& RaceDir() {
  static TempDir dir;
  static const bool written = [] {
    std::string error;
    const bool ok = qvrace::WriteFiles(dir.Path().string(), qvrace::RaceFiles(), &error);
    if (!ok) ADD_FAILURE() << error;
    return ok;
  }();
  (void)written;
  return dir.Path();
}

inline Bytes Race(const std::string& archive_name) {
  return ReadAll(OnDisk(RaceDir(), archive_name));
}

inline std::vector<std::string> MapFilesEndingWith(const std::string& suffix) {
  std::vector<std::string> out;
  for (const char* n : qv::g_szMapFiles) {
    const std::string name = n;
    if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
      out.push_back(name);
  }
  return out;
}

inline std::string FileName(const std::string& archive_name) {
  return archive_name.substr(archive_name.rfind('\\') + 1);
}

} // namespace racetest
