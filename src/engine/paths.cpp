#include "paths.h"

#include "file_system.h"
#include "manifest.h"

namespace qv {

std::string DiskPath(const std::string& program_dir, const std::string& archive_name) {
  std::string path = program_dir + archive_name;
  for (std::string::size_type i = program_dir.size(); i < path.size(); ++i) {
    if (path[i] == '\\') path[i] = kPathSeparator;
  }
  return path;
}

std::string TempFolderPath(const std::string& program_dir, const std::string& archive_name) {
  return DiskPath(program_dir, std::string(kTempFolder) + archive_name);
}

std::string BackupPath(const std::string& map_path) {
  return map_path + kBackupSuffix;
}

std::string BackupWorkPath(const std::string& map_path) {
  return map_path + ".qvb";
}

std::string FirstPathTooLong(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    if (path.size() > MaxPathLength()) return path;
    std::string::size_type start = 0;
    while (start <= path.size()) {
      std::string::size_type end = path.find_first_of("/\\", start);
      if (end == std::string::npos) end = path.size();
      if (end - start > MaxNameLength()) return path;
      start = end + 1;
    }
  }
  return std::string();
}

} // namespace qv
