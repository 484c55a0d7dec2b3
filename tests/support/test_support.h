// Shared helpers of the engine tests: a report that records what a workflow shows,
// a race folder made of arbitrary bytes, and StormLib used directly to read results.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "report.h"

namespace qvtest {

// One line per call, e.g. "status 0 Copy.", "range 11", "message Error!|text|!".
class RecordingReport : public qv::Report {
public:
  void SetStatus(int part, const std::string& text) override;
  void EnableButtons(bool enabled) override;
  void ShowProgress(bool visible) override;
  void SetProgressRange(int max) override;
  void SetProgressPos(int pos) override;
  void StepProgress() override;
  void ShowMessage(const std::string& text, const std::string& title, qv::MessageIcon icon) override;
  void LaunchMap(const std::string& map_path) override;

  std::vector<std::string> events;
  std::vector<std::string> Messages() const; // only the message lines
  int launches = 0;
};

// A fresh folder below the system's temporary folder, removed with the object.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; } // ends in '/'
private:
  std::string path_;
};

inline constexpr const char* kDefaultRaceStrings =
    "STRING 25\r\n{\r\nThornwarden\r\n}\r\n\r\nSTRING 26\r\n{\r\nSapling\r\n}\r\n";

// Writes every file of the race into `dir` (arbitrary bytes, distinct per file),
// "war3map_2.wts" with `race_strings` and the two files in "Temp\".
void WriteRace(const std::string& dir, const std::string& race_strings = kDefaultRaceStrings);
// The disk path of an archive name below `dir` (backslashes become '/').
std::string RacePath(const std::string& dir, const std::string& archive_name);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
std::vector<std::string> ListFolder(const std::string& dir); // recursive, relative names, sorted

// The real maps in ../shared/maps, and one copied to `dir`.
std::string SharedMap(const std::string& name);
std::vector<std::string> SharedMapNames();
std::string CopyMap(const std::string& name, const std::string& dir);

// Reading a map with StormLib directly, not through the code under test.
std::optional<std::string> ReadArchiveFile(const std::string& map, const std::string& name);
std::vector<std::string> ArchiveListfile(const std::string& map); // names in (listfile), sorted
// Creates an archive holding `files` (name, bytes) at `path`, optionally behind a header.
void MakeArchive(const std::string& path, const std::vector<std::pair<std::string, std::string>>& files,
                 const std::string& header = std::string());

} // namespace qvtest
