// war3map.imp, the editor's list of imported files.
//
//   i32 version = 1
//   i32 entry count
//   per entry: u8 flags, zero-terminated archive path
//
// Flags 13 mark a path the map maker chose in full ("custom path"); 5 or 8 would
// mean a bare name that the editor puts under "war3mapImported\". We store every
// race file with its full path and flags 13, so the entry is exactly the
// archive name. The editor deletes imported files that this list lacks when it
// saves a map, so it must name every file the race brings.
#pragma once

#include <string>
#include <vector>

#include "byte_writer.h"

namespace qvrace {

constexpr std::int32_t kImportListVersion = 1;
constexpr std::uint8_t kImportCustomPath = 13;

Bytes EncodeImportList(const std::vector<std::string>& archive_paths);

} // namespace qvrace
