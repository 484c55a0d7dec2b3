// Copying one file out of a map archive onto the disk.
#pragma once

#include <string>

#include "map_reader.h"

namespace qv {

// Copies `archive_name` out of the map at `archive_path` into `output_path`, byte for
// byte, through one 64 KiB buffer. Whatever lay at `output_path` before is gone
// afterwards: replaced by the copy, or removed when there is nothing to copy, so a
// stale file from an earlier run can never stand in for the map's own.
CopyResult MPQCopyFile(const std::string& archive_path, const char* archive_name,
                       const std::string& output_path);

} // namespace qv
