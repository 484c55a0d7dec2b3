#include "run_lock.h"

#include "file_system.h"

#ifdef _WIN32
#include <windows.h>

#include <functional>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace qv {

#ifdef _WIN32

bool RunLock::Acquire(const std::string& program_dir) {
  Release();
  // A named mutex is the lock; its name stands for the folder.
  std::string folder;
  for (char c : program_dir)
    folder += static_cast<char>(c == '/' ? '\\' : (c >= 'A' && c <= 'Z' ? c + 32 : c));
  std::string name = "Local\\QVRaceInstaller-" + std::to_string(std::hash<std::string>()(folder));
  HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
  if (mutex == nullptr) return false;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  handle_ = mutex;
  return true;
}

void RunLock::Release() {
  if (handle_ == nullptr) return;
  ReleaseMutex(static_cast<HANDLE>(handle_));
  CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
}

#else

bool RunLock::Acquire(const std::string& program_dir) {
  Release();
  EnsureDescriptorZero();
  // The folder itself carries the lock; the kernel drops it when the process ends.
  int fd = open(program_dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void RunLock::Release() {
  if (fd_ < 0) return;
  flock(fd_, LOCK_UN);
  close(fd_);
  fd_ = -1;
}

#endif

} // namespace qv
