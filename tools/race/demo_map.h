// The demo map: a small two-player melee map to try the installer on.
//
// The file is the 512-byte "HM3W" header followed by the MPQ archive that holds
// the map's files (see race_files.h for what they are). The archive is built by
// the engine's archive layer, the same code that rebuilds maps during install and
// uninstall: we first write a file that is nothing but the header, then let the
// layer build the archive in its place; it keeps the header of the file it
// replaces.
#pragma once

#include <string>

namespace qvrace {

bool WriteDemoMap(const std::string& path, std::string* error);

} // namespace qvrace
