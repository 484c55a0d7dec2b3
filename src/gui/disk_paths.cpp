#include "disk_paths.h"

#include <vector>

#include "wide_text.h"

namespace qvgui {

#ifdef __WINE__

std::string EnginePath(const WCHAR* window_path) {
  if (char* unix_path = wine_get_unix_file_name(window_path)) {
    std::string result(unix_path);
    HeapFree(GetProcessHeap(), 0, unix_path);
    return result;
  }
  // No drive mapping for it: take the usual one of Z: to the root.
  std::string result = ToUtf8(window_path);
  if (result.size() >= 2 && (result[0] == 'Z' || result[0] == 'z') && result[1] == ':') result.erase(0, 2);
  for (char& c : result) {
    if (c == '\\') c = '/';
  }
  return result;
}

std::string WindowPath(const std::string& engine_path) {
  if (engine_path.empty() || engine_path[0] != '/') return engine_path;
  if (WCHAR* dos_path = wine_get_dos_file_name(engine_path.c_str())) {
    std::string result = ToUtf8(dos_path);
    HeapFree(GetProcessHeap(), 0, dos_path);
    return result;
  }
  std::string result = "Z:" + engine_path;
  for (char& c : result) {
    if (c == '/') c = '\\';
  }
  return result;
}

#else

std::string EnginePath(const WCHAR* window_path) {
  return ToUtf8(window_path);
}

std::string WindowPath(const std::string& engine_path) {
  return engine_path;
}

#endif

std::string ProgramDirectory() {
  std::vector<WCHAR> module(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
    if (length == 0) return std::string();
    if (length < module.size()) break;
    module.resize(module.size() * 2); // a long path: try again with more room
  }
  std::string path = EnginePath(module.data());
  const std::string::size_type slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace qvgui
