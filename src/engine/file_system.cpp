#include "file_system.h"

#include <cstdio>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qv {

bool CopyToNewFile(const std::string& from, const std::string& to, const std::string& prefix) {
  std::FILE* in = std::fopen(from.c_str(), "rb");
  if (in == nullptr) return false;
  std::FILE* out = std::fopen(to.c_str(), "wb");
  bool ok = out != nullptr && std::fwrite(prefix.data(), 1, prefix.size(), out) == prefix.size();
  std::vector<char> buffer(65536);
  while (ok) {
    std::size_t n = std::fread(buffer.data(), 1, buffer.size(), in);
    if (n == 0) {
      ok = std::ferror(in) == 0;
      break;
    }
    ok = std::fwrite(buffer.data(), 1, n, out) == n;
  }
  std::fclose(in);
  if (out != nullptr) ok = std::fclose(out) == 0 && ok;
  ok = ok && SyncFile(to);
  if (!ok && out != nullptr) RemoveFile(to);
  return ok;
}

std::string FolderOf(const std::string& path) {
  std::string::size_type at = path.find_last_of("/\\");
  return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], n);
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], n, nullptr, nullptr);
  return utf8;
}

DWORD Attributes(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str());
}

} // namespace

std::size_t MaxPathLength() {
  return MAX_PATH - 1;
}
std::size_t MaxNameLength() {
  return 255;
}

bool IsRegularFile(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool PathExists(const std::string& path) {
  return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsWritableFile(const std::string& path) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

bool RemoveFile(const std::string& path) {
  if (DeleteFileW(Wide(path).c_str())) return true;
  return !PathExists(path);
}

bool SyncFile(const std::string& path) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BOOL ok = FlushFileBuffers(h);
  CloseHandle(h);
  return ok != FALSE;
}

bool MoveIntoPlace(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::string ResolvePath(const std::string& path) {
  HANDLE h = CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return path;
  wchar_t buffer[MAX_PATH + 8];
  DWORD n = GetFinalPathNameByHandleW(h, buffer, MAX_PATH + 8, FILE_NAME_NORMALIZED);
  CloseHandle(h);
  if (n == 0 || n >= MAX_PATH + 8) return path;
  std::wstring resolved(buffer, n);
  if (resolved.rfind(L"\\\\?\\UNC\\", 0) == 0) {
    resolved = L"\\\\" + resolved.substr(8);
  } else if (resolved.rfind(L"\\\\?\\", 0) == 0) {
    resolved = resolved.substr(4);
  }
  return Narrow(resolved);
}

void CopyPermissions(const std::string& from, const std::string& to) {
  DWORD a = Attributes(from);
  if (a != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(Wide(to).c_str(), a & ~FILE_ATTRIBUTE_READONLY);
}

void EnsureDescriptorZero() {}

#else

void EnsureDescriptorZero() {
  if (fcntl(0, F_GETFD) < 0) open("/dev/null", O_RDONLY);
}

std::size_t MaxPathLength() {
  return PATH_MAX - 1;
}
std::size_t MaxNameLength() {
  return NAME_MAX;
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PathExists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

bool IsWritableFile(const std::string& path) {
  // A file without any write permission counts as read-only also for root, whom
  // access() would let through: the person marked it so that it stays as it is.
  struct stat st;
  return stat(path.c_str(), &st) == 0 && (st.st_mode & 0222) != 0 && access(path.c_str(), W_OK) == 0;
}

bool RemoveFile(const std::string& path) {
  return unlink(path.c_str()) == 0 || !PathExists(path);
}

bool SyncFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fsync(fd) == 0;
  return close(fd) == 0 && ok;
}

bool MoveIntoPlace(const std::string& from, const std::string& to) {
  if (rename(from.c_str(), to.c_str()) != 0) return false;
  // The rename itself is on the disk only once the folder's entry is.
  std::string folder = FolderOf(to);
  int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
  return true;
}

std::string ResolvePath(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string result(resolved);
  free(resolved);
  return result;
}

void CopyPermissions(const std::string& from, const std::string& to) {
  struct stat st;
  if (stat(from.c_str(), &st) == 0) chmod(to.c_str(), st.st_mode & 07777);
}

#endif

} // namespace qv
