#include "demo_map.h"

#include <filesystem>
#include <fstream>
#include <random>

#include "archive.h"
#include "map_info.h"
#include "map_layout.h"
#include "race_files.h"

namespace qvrace {
namespace {

namespace fs = std::filesystem;

// A scratch folder for the files on their way into the archive, removed again
// however we leave.
class ScratchDir {
public:
  ScratchDir() {
    std::random_device rd;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const fs::path p = fs::temp_directory_path() / ("qvrace-demo-" + std::to_string(rd()));
      std::error_code ec;
      if (fs::create_directory(p, ec)) path_ = p;
    }
  }
  ~ScratchDir() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const fs::path& Path() const { return path_; }

private:
  fs::path path_;
};

bool Fail(std::string* error, const std::string& message) {
  if (error) *error = message;
  return false;
}

} // namespace

bool WriteDemoMap(const std::string& path, std::string* error) {
  const std::vector<GeneratedFile> files = DemoMapFiles();
  ScratchDir scratch;
  if (scratch.Path().empty()) return Fail(error, "cannot create a temporary folder");
  // Flat names in the scratch folder: the map's files have no folders anyway.
  if (!WriteFiles(scratch.Path().string(), files, error)) return false;

  const MapLayout& layout = DemoLayout();
  const Bytes header =
      EncodeMapHeader("Verdant Test Grove", kMapFlagMelee, static_cast<std::int32_t>(layout.players.size()));
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    if (!out) return Fail(error, "cannot write " + path);
  }

  qv::MpqHandle mpq =
      qv::MpqOpenArchiveForUpdate(path.c_str(), qv::MOAU_CREATE_NEW | qv::MOAU_CREATE_ALWAYS, 2048);
  if (!mpq) return Fail(error, "cannot create the archive for " + path);
  for (const GeneratedFile& f : files) {
    const std::string disk = (scratch.Path() / f.name).string();
    if (!qv::MpqAddFileToArchive(mpq, disk.c_str(), f.name.c_str(), qv::MAFA_COMPRESS)) {
      qv::MpqAbandonUpdate(mpq);
      return Fail(error, "cannot add " + f.name + " to " + path);
    }
  }
  if (!qv::MpqCloseUpdatedArchive(mpq, 0)) return Fail(error, "cannot finish " + path);
  return true;
}

} // namespace qvrace
