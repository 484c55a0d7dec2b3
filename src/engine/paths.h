// Where each file of a run lies on disk.
//
// An archive name keeps its backslashes; its disk path is the program directory
// followed by the name, with each backslash turned into the platform's separator.
#pragma once

#include <string>
#include <vector>

namespace qv {

// program_dir (with its trailing separator) + archive_name, as a disk path.
std::string DiskPath(const std::string& program_dir, const std::string& archive_name);
// The uninstall's copy of a script or trigger file, in the "Temp\" folder.
std::string TempFolderPath(const std::string& program_dir, const std::string& archive_name);
// The map's full path followed by ".BAK".
std::string BackupPath(const std::string& map_path);
// Where a backup is written before it takes the place of an older one.
std::string BackupWorkPath(const std::string& map_path);

// The first of `paths` that the platform cannot take (too long as a whole, or a
// name in it too long), or empty when all fit.
std::string FirstPathTooLong(const std::vector<std::string>& paths);

} // namespace qv
