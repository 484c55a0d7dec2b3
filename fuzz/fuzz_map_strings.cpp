// libFuzzer target (built by scripts/fuzz.sh): the string file rewriting of both workflows and the scanner
// for "STRING n" lines, on arbitrary bytes. The first input byte picks how the
// scanner is fed, so that lines split across pieces get exercised too.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "manifest.h"
#include "map_strings.h"
#include "paths.h"

namespace {

const std::string& WorkDir() {
  static std::string dir = [] {
    char name[] = "/tmp/qvfuzz-strings-XXXXXX";
    std::string made = mkdtemp(name);
    return made + "/";
  }();
  return dir;
}

void Put(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::size_t piece = 1 + data[0] % 17;
  ++data;
  --size;

  qv::StringIdScanner scanner;
  for (std::size_t at = 0; at < size; at += piece) {
    scanner.Feed(reinterpret_cast<const char*>(data) + at, size - at < piece ? size - at : piece);
  }
  scanner.Finish();

  const std::string& dir = WorkDir();
  std::size_t half = size / 2;
  Put(qv::DiskPath(dir, qv::kInstallMapStrings), data, half);
  Put(qv::DiskPath(dir, qv::kRaceStrings), data + half, size - half);
  Put(qv::DiskPath(dir, qv::kUninstallMapStrings), data, size);
  if (!qv::CreateMapStrings(dir, (piece & 1) != 0)) std::abort();
  if (!qv::CreateOldMapStrings(dir)) std::abort();
  return 0;
}
