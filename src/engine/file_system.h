// The few file operations the engine needs beyond the standard library, done the
// way each platform makes them safe: a file is replaced in one step, and data is on
// the disk before it takes the place of a map. Paths are UTF-8.
#pragma once

#include <cstddef>
#include <string>

namespace qv {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// The longest path the platform takes, in bytes, and the longest single name in it.
std::size_t MaxPathLength();
std::size_t MaxNameLength();

bool IsRegularFile(const std::string& path);
bool PathExists(const std::string& path);
// True when the file can be opened for writing by us.
bool IsWritableFile(const std::string& path);
// Removes a file; true when it is gone afterwards (also when it never was there).
bool RemoveFile(const std::string& path);
// Writes the file's data through to the disk.
bool SyncFile(const std::string& path);
// Puts `from` in place of `to` in one step, replacing what `to` was; the change is
// on the disk when this returns true.
bool MoveIntoPlace(const std::string& from, const std::string& to);
// Writes `prefix` followed by the bytes of `from` into a new file `to`, through to
// the disk. On failure `to` is removed.
bool CopyToNewFile(const std::string& from, const std::string& to, const std::string& prefix = std::string());
// The path with symbolic links resolved; the path itself when it does not exist.
std::string ResolvePath(const std::string& path);
// Gives `to` the access rights of `from` (best effort).
void CopyPermissions(const std::string& from, const std::string& to);
// Makes sure descriptor 0 is open (on /dev/null when there is no standard input), so
// that no file of ours ever gets it: StormLib closes descriptor 0 when it creates an
// archive. Nothing to do on Windows.
void EnsureDescriptorZero();

// The folder part of a path, up to and including its last separator; empty if none.
std::string FolderOf(const std::string& path);

} // namespace qv
