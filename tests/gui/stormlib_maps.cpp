#include "stormlib_maps.h"

#include <StormLib.h>

namespace mapcheck {
namespace {

HANDLE Open(const std::string& map_path) {
  HANDLE archive = nullptr;
  if (!SFileOpenArchive(map_path.c_str(), 0, STREAM_FLAG_READ_ONLY, &archive)) return nullptr;
  return archive;
}

} // namespace

bool ListFiles(const std::string& map_path, std::vector<std::string>* names) {
  names->clear();
  HANDLE archive = Open(map_path);
  if (archive == nullptr) return false;
  SFILE_FIND_DATA found;
  HANDLE search = SFileFindFirstFile(archive, "*", &found, nullptr);
  if (search != nullptr) {
    do {
      names->push_back(found.cFileName);
    } while (SFileFindNextFile(search, &found));
    SFileFindClose(search);
  }
  SFileCloseArchive(archive);
  return true;
}

bool HasFile(const std::string& map_path, const std::string& name) {
  HANDLE archive = Open(map_path);
  if (archive == nullptr) return false;
  const bool has = SFileHasFile(archive, name.c_str());
  SFileCloseArchive(archive);
  return has;
}

bool ReadFile(const std::string& map_path, const std::string& name, std::string* contents) {
  contents->clear();
  HANDLE archive = Open(map_path);
  if (archive == nullptr) return false;
  HANDLE file = nullptr;
  bool ok = SFileOpenFileEx(archive, name.c_str(), SFILE_OPEN_FROM_MPQ, &file);
  if (ok) {
    // Read by size: StormLib's GetLastError would be Wine's in the test program.
    const DWORD size = SFileGetFileSize(file, nullptr);
    ok = size != SFILE_INVALID_SIZE;
    if (ok && size > 0) {
      contents->resize(size);
      DWORD got = 0;
      SFileReadFile(file, &(*contents)[0], size, &got, nullptr);
      ok = got == size;
    }
    SFileCloseFile(file);
  }
  SFileCloseArchive(archive);
  return ok;
}

} // namespace mapcheck
