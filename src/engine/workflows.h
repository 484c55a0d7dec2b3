// The two things the tool does to a map.
#pragma once

#include <string>

#include "map_reader.h"
#include "report.h"
#include "texts.h"

namespace qv {

struct RunOptions {
  std::string map_path;        // the chosen map, as a disk path
  bool backup = false;         // copy the map to map_path + ".BAK" first (install only)
  int language = kEnglish;     // 1 English, 2 German, anything else: no texts
  MapReader* reader = nullptr; // nullptr: DirectMapReader()
};

enum class RunOutcome {
  Finished,           // done, no error message shown
  FinishedWithErrors, // done, but an error message was shown (a file could not be added)
  Refused,            // stopped before the map was touched; the map is unchanged
};

// Puts the race into the map. The race's files are read from GetPathOfModule().
RunOutcome InstallRace(const RunOptions& options, Report& report);
// Takes the race out of the map again.
RunOutcome UninstallRace(const RunOptions& options, Report& report);

} // namespace qv
