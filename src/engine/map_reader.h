// Everything the workflows learn from a map goes through a MapReader. Reading a
// map made by a stranger is the risky part of the tool's work, so the reader can
// be swapped for one that does it somewhere safer than the running process.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "manifest.h"

namespace qv {

// What a map holds, as far as the workflows care.
struct MapInfo {
  bool hm3w_header = false;                      // starts with the 512-byte "HM3W" header
  std::array<bool, kBaseFileCount> base_files{}; // szNeededFiles 0..10 present
  bool race_installed = false;                   // holds any file of g_szMapFiles
  std::vector<unsigned> string_ids;              // "STRING n" blocks of war3map.wts, in order
};

enum class CopyResult {
  Copied,        // the output holds the archive file's bytes
  NotInMap,      // the map lacks the file; no output was created
  MapUnreadable, // the map or the file's data is damaged; no output is left
  WriteFailed,   // the output could not be written; no output is left
};

class MapReader {
public:
  virtual ~MapReader() = default;
  // Returns false when the map cannot be read as an archive.
  virtual bool Inspect(const std::string& map_path, MapInfo* info) = 0;
  // Copies one file out of the map, byte for byte.
  virtual CopyResult CopyOut(const std::string& map_path, const char* archive_name,
                              const std::string& output_path) = 0;
};

// Reads maps in the running process.
MapReader& DirectMapReader();

} // namespace qv
