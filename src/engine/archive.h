// Our layer over StormLib: the only part of the program that includes its header.
//
// The read side opens a map and streams single files out of it. The update side
// builds a map anew: MpqOpenArchiveForUpdate creates a fresh archive in a new file
// beside the map, and MpqCloseUpdatedArchive puts it in place of the map only once
// it is complete on disk, so a failure part-way leaves the map as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// ---- Read side ------------------------------------------------------------------

class MpqFileReader;

class MpqReader {
public:
  ~MpqReader();
  MpqReader(const MpqReader&) = delete;
  MpqReader& operator=(const MpqReader&) = delete;

  // Opens a map for reading (protected maps with junk header fields included).
  // Returns nullptr when the file is missing or is not an MPQ archive.
  static std::unique_ptr<MpqReader> Open(const std::string& map_path);

  // Names are looked up case-insensitively, as the game does.
  bool HasFile(const char* archive_name) const;
  std::unique_ptr<MpqFileReader> OpenFile(const char* archive_name) const;
  // Names from the archive's (listfile); empty when it has none.
  std::vector<std::string> ListFiles() const;

private:
  explicit MpqReader(void* handle) : handle_(handle) {}
  void* handle_;
};

class MpqFileReader {
public:
  ~MpqFileReader();
  MpqFileReader(const MpqFileReader&) = delete;
  MpqFileReader& operator=(const MpqFileReader&) = delete;

  // Reads up to `size` bytes. Returns the count placed in the buffer, 0 at the
  // end of the file, or -1 when the archive's data is damaged.
  long Read(void* buffer, std::uint32_t size);
  std::uint64_t Size() const;

private:
  friend class MpqReader;
  explicit MpqFileReader(void* handle);
  void* handle_;
  std::uint64_t size_;
  std::uint64_t position_ = 0;
};

// ---- Update side ----------------------------------------------------------------

// Flags of MpqOpenArchiveForUpdate.
constexpr std::uint32_t MOAU_CREATE_NEW = 0x01;
constexpr std::uint32_t MOAU_CREATE_ALWAYS = 0x08;
// Flag of MpqAddFileToArchive: compress the file (zlib, the one method the game reads).
constexpr std::uint32_t MAFA_COMPRESS = 0x200;

struct MpqUpdate;
using MpqHandle = MpqUpdate*;

// Creates an empty archive with room for `max_files` files that will replace the
// map at `map_path`. The map keeps its 512-byte "HM3W" header, if it has one.
// Returns nullptr on failure; the map is untouched then.
MpqHandle MpqOpenArchiveForUpdate(const char* map_path, std::uint32_t flags, std::uint32_t max_files);
// Adds the disk file at `disk_path` as `archive_name`. Returns false when not added.
bool MpqAddFileToArchive(MpqHandle handle, const char* disk_path, const char* archive_name,
                         std::uint32_t flags);
// Removes a file; a name the archive does not hold does no harm.
bool MpqDeleteFile(MpqHandle handle, const char* archive_name);
bool MpqCompactArchive(MpqHandle handle);
// Finishes the archive, flushes it to disk and puts it in place of the map.
// Returns false when that failed; then the map is as it was and no temporary
// file is left. The handle is released in every case.
bool MpqCloseUpdatedArchive(MpqHandle handle, std::uint32_t flags);
// Gives up an update: the map stays as it was and the new file is removed.
void MpqAbandonUpdate(MpqHandle handle);

// The name of the new archive while it is being built, beside the map.
std::string UpdateWorkPath(const std::string& map_path);

} // namespace qv
