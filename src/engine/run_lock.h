// Keeps two runs from sharing the working files of one program directory.
//
// The lock lives only as long as the process holds it: nothing is written to the
// folder, so a run that is killed leaves nothing behind that blocks the next one.
#pragma once

#include <string>

namespace qv {

class RunLock {
public:
  RunLock() = default;
  ~RunLock() { Release(); }
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  // Takes the lock on `program_dir` without waiting; false when another run holds it.
  bool Acquire(const std::string& program_dir);
  void Release();

private:
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

} // namespace qv
