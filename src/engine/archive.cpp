#include "archive.h"

#include <StormLib.h>

#include <cstdio>
#include <cstring>

#include "file_system.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qv {

// ---- Read side ------------------------------------------------------------------

std::unique_ptr<MpqReader> MpqReader::Open(const std::string& map_path) {
  if (!IsRegularFile(map_path)) return nullptr;
  HANDLE handle = nullptr;
  // Protected maps carry junk in the header fields beyond version 1.
  if (!SFileOpenArchive(map_path.c_str(), 0, MPQ_OPEN_FORCE_MPQ_V1 | MPQ_OPEN_READ_ONLY, &handle)) {
    return nullptr;
  }
  return std::unique_ptr<MpqReader>(new MpqReader(handle));
}

MpqReader::~MpqReader() {
  SFileCloseArchive(handle_);
}

bool MpqReader::HasFile(const char* archive_name) const {
  return SFileHasFile(handle_, archive_name);
}

std::unique_ptr<MpqFileReader> MpqReader::OpenFile(const char* archive_name) const {
  HANDLE file = nullptr;
  if (!SFileOpenFileEx(handle_, archive_name, SFILE_OPEN_FROM_MPQ, &file)) return nullptr;
  return std::unique_ptr<MpqFileReader>(new MpqFileReader(file));
}

std::vector<std::string> MpqReader::ListFiles() const {
  std::vector<std::string> names;
  SFILE_FIND_DATA found;
  HANDLE find = SFileFindFirstFile(handle_, "*", &found, nullptr);
  if (find == nullptr) return names;
  do {
    names.emplace_back(found.cFileName);
  } while (SFileFindNextFile(find, &found));
  SFileFindClose(find);
  return names;
}

MpqFileReader::MpqFileReader(void* handle) : handle_(handle), size_(Size()) {}

MpqFileReader::~MpqFileReader() { SFileCloseFile(handle_); }

long MpqFileReader::Read(void* buffer, std::uint32_t size) {
  DWORD count = 0;
  bool ok = SFileReadFile(handle_, buffer, size, &count, nullptr);
  position_ += count;
  // The last chunk of a file arrives together with a failure that only means "end of
  // file". Telling it by the position, not by the last-error value, keeps this right
  // in a Winelib program, where that value is Wine's rather than StormLib's.
  if (ok || position_ >= size_) return static_cast<long>(count);
  return -1;
}

std::uint64_t MpqFileReader::Size() const {
  DWORD high = 0;
  DWORD low = SFileGetFileSize(handle_, &high);
  if (low == SFILE_INVALID_SIZE) return 0;
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

// ---- Update side ----------------------------------------------------------------

namespace {

constexpr std::size_t kMapHeaderSize = 512;
constexpr DWORD kSectorSize = 0x1000;

// A new archive is built under a name of its own beside the map; a map with an
// "HM3W" header gets it back in front in a second file before either replaces the map.
std::string HeaderWorkPath(const std::string& map_path) {
  return map_path + ".qvh";
}

bool ReadMapHeader(const std::string& map_path, std::vector<char>* header) {
  std::FILE* file = std::fopen(map_path.c_str(), "rb");
  if (file == nullptr) return false;
  std::vector<char> bytes(kMapHeaderSize);
  std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  if (got != kMapHeaderSize || std::memcmp(bytes.data(), "HM3W", 4) != 0) return false;
  *header = std::move(bytes);
  return true;
}

// StormLib 9.22 closes descriptor 0 while it creates an archive (a failed look for
// an existing file closes a handle it never opened), and the new archive then takes
// that descriptor. Whatever held it before, standard input or one of our files, is
// kept aside and put back once the archive is closed.
int SetDescriptorZeroAside() {
#ifdef _WIN32
  return -1;
#else
  EnsureDescriptorZero();
  return dup(0);
#endif
}

void PutDescriptorZeroBack(int saved) {
#ifndef _WIN32
  if (saved < 0) return;
  if (fcntl(0, F_GETFD) < 0) dup2(saved, 0);
  close(saved);
#else
  (void)saved;
#endif
}

} // namespace

struct MpqUpdate {
  HANDLE archive = nullptr;
  std::string map_path;  // the file the finished archive replaces (links resolved)
  std::string work_path; // the archive as StormLib writes it
  std::vector<char> header;
  bool removed_any = false;
  int saved_descriptor_zero = -1;
};

std::string UpdateWorkPath(const std::string& map_path) {
  return map_path + ".qvn";
}

MpqHandle MpqOpenArchiveForUpdate(const char* map_path, std::uint32_t flags, std::uint32_t max_files) {
  // Only a fresh archive is ever asked for: the workflows carry over what they keep.
  if ((flags & (MOAU_CREATE_NEW | MOAU_CREATE_ALWAYS)) == 0) return nullptr;

  std::string target = ResolvePath(map_path);
  // A map we may not write stays as it is, although its folder would let us replace it.
  if (PathExists(target) && (!IsRegularFile(target) || !IsWritableFile(target))) return nullptr;

  std::unique_ptr<MpqUpdate> update(new MpqUpdate);
  update->map_path = target;
  update->work_path = UpdateWorkPath(target);
  ReadMapHeader(target, &update->header);

  // A file left by an interrupted run would make the creation fail.
  RemoveFile(update->work_path);
  RemoveFile(HeaderWorkPath(target));

  SFILE_CREATE_MPQ create;
  std::memset(&create, 0, sizeof(create));
  create.cbSize = sizeof(create);
  create.dwMpqVersion = MPQ_FORMAT_VERSION_1;
  create.dwFileFlags1 = MPQ_FILE_DEFAULT_INTERNAL; // keep a (listfile)
  create.dwFileFlags2 = 0;                         // no (attributes)
  create.dwFileFlags3 = 0;                         // no (signature)
  create.dwSectorSize = kSectorSize;
  create.dwMaxFileCount = max_files;
  update->saved_descriptor_zero = SetDescriptorZeroAside();
  if (!SFileCreateArchive2(update->work_path.c_str(), &create, &update->archive)) {
    PutDescriptorZeroBack(update->saved_descriptor_zero);
    RemoveFile(update->work_path);
    return nullptr;
  }
  return update.release();
}

bool MpqAddFileToArchive(MpqHandle handle, const char* disk_path, const char* archive_name,
                         std::uint32_t flags) {
  if (handle == nullptr || !IsRegularFile(disk_path)) return false;
  DWORD file_flags = MPQ_FILE_REPLACEEXISTING;
  DWORD compression = 0;
  if (flags & MAFA_COMPRESS) {
    file_flags |= MPQ_FILE_COMPRESS;
    compression = MPQ_COMPRESSION_ZLIB;
  }
  return SFileAddFileEx(handle->archive, disk_path, archive_name, file_flags, compression,
                        MPQ_COMPRESSION_NEXT_SAME);
}

bool MpqDeleteFile(MpqHandle handle, const char* archive_name) {
  if (handle == nullptr) return false;
  if (!SFileRemoveFile(handle->archive, archive_name, 0)) return false;
  handle->removed_any = true;
  return true;
}

bool MpqCompactArchive(MpqHandle handle) {
  if (handle == nullptr) return false;
  // A fresh archive that only ever grew has no gaps to close.
  if (!handle->removed_any) return SFileFlushArchive(handle->archive);
  return SFileCompactArchive(handle->archive, nullptr, false);
}

bool MpqCloseUpdatedArchive(MpqHandle handle, std::uint32_t /*flags*/) {
  if (handle == nullptr) return false;
  std::unique_ptr<MpqUpdate> update(handle);
  bool ok = SFileCloseArchive(update->archive);
  update->archive = nullptr;
  PutDescriptorZeroBack(update->saved_descriptor_zero);

  std::string finished = update->work_path;
  if (ok && !update->header.empty()) {
    finished = HeaderWorkPath(update->map_path);
    ok =
        CopyToNewFile(update->work_path, finished, std::string(update->header.begin(), update->header.end()));
  } else if (ok) {
    ok = SyncFile(finished);
  }
  if (ok) {
    if (PathExists(update->map_path)) CopyPermissions(update->map_path, finished);
    ok = MoveIntoPlace(finished, update->map_path);
  }
  RemoveFile(update->work_path);
  RemoveFile(HeaderWorkPath(update->map_path));
  return ok;
}

void MpqAbandonUpdate(MpqHandle handle) {
  if (handle == nullptr) return;
  std::unique_ptr<MpqUpdate> update(handle);
  SFileCloseArchive(update->archive);
  PutDescriptorZeroBack(update->saved_descriptor_zero);
  RemoveFile(update->work_path);
  RemoveFile(HeaderWorkPath(update->map_path));
}

} // namespace qv
