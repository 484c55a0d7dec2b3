// libFuzzer target (built by scripts/fuzz.sh): the reader's parsing path on arbitrary map bytes. StormLib's
// own crashes on damaged archives are what the helper process is for, so the
// archive is read through IsolatedMapReader (set QV_FUZZ_DIRECT=1 to read it in
// this process instead); what runs here is our side: the helper protocol, its
// limits, the copy's clean-up, and the MapInfo parser fed with the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "isolated_map_reader.h"
#include "manifest.h"

namespace {

const std::string& WorkDir() {
  static std::string dir = [] {
    char name[] = "/tmp/qvfuzz-reader-XXXXXX";
    std::string made = mkdtemp(name);
    return made + "/";
  }();
  return dir;
}

qv::MapReader& Reader() {
  static qv::MapReader* reader = [] {
    const char* direct = std::getenv("QV_FUZZ_DIRECT");
    if (direct != nullptr && *direct == '1') return &qv::DirectMapReader();
    qv::SetReaderLimits({2000, 512ull << 20});
    return &qv::IsolatedMapReader();
  }();
  return *reader;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  qv::MapInfo parsed;
  if (qv::reader_protocol::ParseMapInfo(text, &parsed) &&
      qv::reader_protocol::SerializeMapInfo(parsed) != text) {
    std::abort(); // only the exact serialized form may be accepted
  }

  const std::string map = WorkDir() + "map.w3x";
  const std::string out = WorkDir() + "out.bin";
  std::FILE* file = std::fopen(map.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);

  qv::MapInfo info;
  if (!Reader().Inspect(map, &info)) return 0;
  for (std::size_t i = 0; i < qv::kBaseFileCount; ++i) {
    if (!info.base_files[i]) continue;
    qv::CopyResult result = Reader().CopyOut(map, qv::szNeededFiles[i], out);
    bool exists = access(out.c_str(), F_OK) == 0;
    if (exists != (result == qv::CopyResult::Copied)) std::abort(); // a failed copy leaves nothing
    if (result == qv::CopyResult::MapUnreadable) break;
  }
  unlink(out.c_str());
  return 0;
}
