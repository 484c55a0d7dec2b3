// Reading a map back with StormLib, to check what a workflow left in it.
//
// Compiled natively, outside Winelib: StormLib's header declares its functions
// with the Windows calling convention whenever _WIN32 is defined, which wineg++
// always defines, while the library itself is a Linux one.
#pragma once

#include <string>
#include <vector>

namespace mapcheck {

// The names that the map's (listfile) gives; false when the map can't be opened.
bool ListFiles(const std::string& map_path, std::vector<std::string>* names);
// Whether the map holds a file of that name (looked up without a list file).
bool HasFile(const std::string& map_path, const std::string& name);
// One file's contents; false when the map or the file can't be read.
bool ReadFile(const std::string& map_path, const std::string& name, std::string* contents);

} // namespace mapcheck
