// Everything the generator writes: the race for the program directory and the
// files of the demo map, each under its archive name.
#pragma once

#include <string>
#include <vector>

#include "byte_writer.h"
#include "triggers.h"

namespace qvrace {

struct GeneratedFile {
  std::string name; // archive name, backslashes between folders
  Bytes data;
};

// The race: the 123 files of g_szMapFiles, the 12 of szResources, the race's
// strings (war3map_2.wts) and the melee script and triggers an uninstall puts
// back (Temp\war3map.j, Temp\war3map.wtg).
std::vector<GeneratedFile> RaceFiles();

// The demo map's files: the eleven base files, war3map.j and war3map.wtg.
std::vector<GeneratedFile> DemoMapFiles();

TriggerSet MeleeTriggers();
TriggerSet RaceTriggers();

// Writes `files` below `dir`, each backslash of a name becoming a folder.
// Returns false (with `error` set) when a file could not be written.
bool WriteFiles(const std::string& dir, const std::vector<GeneratedFile>& files, std::string* error);

} // namespace qvrace
