#include "extract.h"

#include <cstdio>
#include <vector>

#include "archive.h"
#include "file_system.h"

namespace qv {

namespace {
constexpr std::uint32_t kTransferSize = 65536;
}

CopyResult MPQCopyFile(const std::string& archive_path, const char* archive_name,
                       const std::string& output_path) {
  RemoveFile(output_path);
  std::unique_ptr<MpqReader> archive = MpqReader::Open(archive_path);
  if (!archive) return CopyResult::MapUnreadable;
  std::unique_ptr<MpqFileReader> file = archive->OpenFile(archive_name);
  if (!file) return archive->HasFile(archive_name) ? CopyResult::MapUnreadable : CopyResult::NotInMap;

  std::FILE* output = std::fopen(output_path.c_str(), "wb");
  if (output == nullptr) return CopyResult::WriteFailed;

  std::vector<char> buffer(kTransferSize);
  CopyResult result = CopyResult::Copied;
  for (;;) {
    long count = file->Read(buffer.data(), kTransferSize);
    if (count < 0) {
      result = CopyResult::MapUnreadable;
      break;
    }
    if (count == 0) break;
    std::size_t size = static_cast<std::size_t>(count);
    if (std::fwrite(buffer.data(), 1, size, output) != size) {
      result = CopyResult::WriteFailed;
      break;
    }
  }
  if (std::fclose(output) != 0 && result == CopyResult::Copied) result = CopyResult::WriteFailed;
  if (result != CopyResult::Copied) RemoveFile(output_path);
  return result;
}

} // namespace qv
