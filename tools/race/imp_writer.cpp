#include "imp_writer.h"

namespace qvrace {

Bytes EncodeImportList(const std::vector<std::string>& archive_paths) {
  ByteWriter w;
  w.I32(kImportListVersion);
  w.I32(static_cast<std::int32_t>(archive_paths.size()));
  for (const std::string& path : archive_paths) {
    w.U8(kImportCustomPath);
    w.CString(path);
  }
  return w.Take();
}

} // namespace qvrace
