#include "program_dir.h"

#include "file_system.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <unistd.h>
#endif

namespace qv {
namespace {

std::string& Override() {
  static std::string dir;
  return dir;
}

} // namespace

std::string ExecutableFolder() {
#ifdef _WIN32
  wchar_t name[MAX_PATH + 1] = {0};
  DWORD n = GetModuleFileNameW(nullptr, name, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, name, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
  std::string path(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, name, static_cast<int>(n), &path[0], size, nullptr, nullptr);
  return FolderOf(path);
#else
  char name[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", name, sizeof(name) - 1);
  if (n <= 0) return std::string();
  return FolderOf(std::string(name, static_cast<std::size_t>(n)));
#endif
}

std::string GetPathOfModule() {
  // Without a known folder, work in the current one rather than at the root.
  if (!Override().empty()) return Override();
  std::string folder = ExecutableFolder();
  return folder.empty() ? std::string(".") + kPathSeparator : folder;
}

void SetProgramDirectory(const std::string& dir) {
  std::string& stored = Override();
  stored = dir;
  if (!stored.empty() && stored.back() != '/' && stored.back() != '\\') stored += kPathSeparator;
}

} // namespace qv
