#include "map_reader.h"

#include <cstdio>
#include <cstring>

#include "archive.h"
#include "extract.h"
#include "map_strings.h"

namespace qv {
namespace {

bool StartsWithMapHeader(const std::string& map_path) {
  std::FILE* file = std::fopen(map_path.c_str(), "rb");
  if (file == nullptr) return false;
  char magic[4] = {0};
  bool found = std::fread(magic, 1, 4, file) == 4 && std::memcmp(magic, "HM3W", 4) == 0;
  std::fclose(file);
  return found;
}

class InProcessMapReader : public MapReader {
public:
  bool Inspect(const std::string& map_path, MapInfo* info) override {
    std::unique_ptr<MpqReader> archive = MpqReader::Open(map_path);
    if (!archive) return false;
    *info = MapInfo();
    info->hm3w_header = StartsWithMapHeader(map_path);
    for (std::size_t i = 0; i < kBaseFileCount; ++i)
      info->base_files[i] = archive->HasFile(szNeededFiles[i]);
    for (const char* name : g_szMapFiles) {
      if (archive->HasFile(name)) {
        info->race_installed = true;
        break;
      }
    }
    if (!info->base_files[kStringFileIndex]) return true;

    std::unique_ptr<MpqFileReader> strings = archive->OpenFile(szNeededFiles[kStringFileIndex]);
    if (!strings) return false;
    StringIdScanner scanner;
    std::vector<char> buffer(65536);
    for (;;) {
      long count = strings->Read(buffer.data(), static_cast<std::uint32_t>(buffer.size()));
      if (count < 0) return false;
      if (count == 0) break;
      scanner.Feed(buffer.data(), static_cast<std::size_t>(count));
    }
    info->string_ids = scanner.Finish();
    return true;
  }

  CopyResult CopyOut(const std::string& map_path, const char* archive_name,
                      const std::string& output_path) override {
    return MPQCopyFile(map_path, archive_name, output_path);
  }
};

} // namespace

MapReader& DirectMapReader() {
  static InProcessMapReader reader;
  return reader;
}

} // namespace qv
