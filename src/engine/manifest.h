// The race's manifest: every file that install and uninstall move between a map
// archive and the program directory, and the names of the working files.
//
// Archive names use backslashes between folders and never start with one. The
// tables are walked by index from 0; the order is the order of the progress steps.
#pragma once

#include <cstddef>

namespace qv {

constexpr std::size_t kMapFileCount = 123;   // g_szMapFiles
constexpr std::size_t kNeededFileCount = 13; // szNeededFiles
constexpr std::size_t kResourceCount = 12;   // szResources

// Entries 0..10 of szNeededFiles come from the map itself; 11 and 12 are put back
// by the uninstall from the "Temp\" folder.
constexpr std::size_t kBaseFileCount = 11;
constexpr std::size_t kStringFileIndex = 10; // "war3map.wts"

// The race's own models, images and AI scripts (the six AI files come last).
extern const char* const g_szMapFiles[kMapFileCount];
// The map files from which both workflows rebuild a map.
extern const char* const szNeededFiles[kNeededFileCount];
// The map files that the race supplies in place of the map's own.
extern const char* const szResources[kResourceCount];

// Working and fixed file names directly in the program directory.
constexpr const char* kInstallMapStrings = "war3map_1.wts";      // map's strings, install
constexpr const char* kRaceStrings = "war3map_2.wts";            // race's strings
constexpr const char* kUninstallMapStrings = "war3map_temp.wts"; // map's strings, uninstall
constexpr const char* kMergedStrings = "war3map.wts";            // output of both rewrites
constexpr const char* kTempFolder = "Temp\\";                    // uninstall's script and triggers
constexpr const char* kBackupSuffix = ".BAK";

// The race's strings begin with this line; the map's own strings stand before it.
constexpr const char* kRaceStringsHeader = "STRING 25";
constexpr unsigned kFirstRaceStringId = 25;

} // namespace qv
