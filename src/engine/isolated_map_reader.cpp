#include "isolated_map_reader.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "file_system.h"
#include "program_dir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#endif

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QV_ASAN_BUILD 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QV_ASAN_BUILD 1
#endif

namespace qv {

// ---- Protocol ---------------------------------------------------------------------

namespace reader_protocol {

std::string SerializeMapInfo(const MapInfo& info) {
  std::string text = "qvinfo 1\n";
  text += info.hm3w_header ? "header 1\n" : "header 0\n";
  text += "base ";
  for (bool present : info.base_files)
    text += present ? '1' : '0';
  text += info.race_installed ? "\nrace 1\n" : "\nrace 0\n";
  text += "strings " + std::to_string(info.string_ids.size()) + "\n";
  for (unsigned id : info.string_ids)
    text += std::to_string(id) + "\n";
  text += "end\n";
  return text;
}

namespace {

// Reads "<word> " at `pos` and moves past it.
bool Expect(const std::string& text, std::size_t* pos, const char* word) {
  std::string w(word);
  if (text.compare(*pos, w.size(), w) != 0) return false;
  *pos += w.size();
  return true;
}

// A decimal number up to the next line feed, which is consumed.
bool Number(const std::string& text, std::size_t* pos, unsigned long long limit, unsigned long long* value) {
  unsigned long long v = 0;
  std::size_t start = *pos;
  while (*pos < text.size() && text[*pos] >= '0' && text[*pos] <= '9') {
    v = v * 10 + static_cast<unsigned>(text[*pos] - '0');
    if (v > limit) return false;
    ++*pos;
  }
  if (*pos == start || *pos - start > 20 || *pos >= text.size() || text[*pos] != '\n') return false;
  ++*pos;
  *value = v;
  return true;
}

bool Flag(const std::string& text, std::size_t* pos, const char* word, bool* flag) {
  unsigned long long v = 0;
  if (!Expect(text, pos, word) || !Number(text, pos, 1, &v)) return false;
  *flag = v == 1;
  return true;
}

} // namespace

bool ParseMapInfo(const std::string& text, MapInfo* info) {
  MapInfo parsed;
  std::size_t pos = 0;
  unsigned long long version = 0;
  if (!Expect(text, &pos, "qvinfo ") || !Number(text, &pos, 1, &version) || version != 1) return false;
  if (!Flag(text, &pos, "header ", &parsed.hm3w_header)) return false;
  if (!Expect(text, &pos, "base ")) return false;
  for (std::size_t i = 0; i < kBaseFileCount; ++i) {
    if (pos >= text.size() || (text[pos] != '0' && text[pos] != '1')) return false;
    parsed.base_files[i] = text[pos++] == '1';
  }
  if (!Expect(text, &pos, "\n") || !Flag(text, &pos, "race ", &parsed.race_installed)) return false;
  unsigned long long count = 0;
  // Each number takes at least two bytes, which bounds the count by what is left.
  if (!Expect(text, &pos, "strings ") || !Number(text, &pos, text.size() / 2, &count)) return false;
  parsed.string_ids.reserve(static_cast<std::size_t>(count));
  for (unsigned long long i = 0; i < count; ++i) {
    unsigned long long id = 0;
    if (!Number(text, &pos, 0xFFFFFFFFull, &id)) return false;
    parsed.string_ids.push_back(static_cast<unsigned>(id));
  }
  if (!Expect(text, &pos, "end\n") || pos != text.size()) return false;
  *info = std::move(parsed);
  return true;
}

} // namespace reader_protocol

// ---- Settings ---------------------------------------------------------------------

namespace {

// Set by the front end before its first run; MinGW's thread model has no std::mutex.
struct Settings {
  std::string program;
  ReaderLimits limits;
};

Settings& Shared() {
  static Settings settings;
  return settings;
}

} // namespace

void SetReaderProgram(const std::string& path) {
  Shared().program = path;
}

void SetReaderLimits(const ReaderLimits& limits) {
  Shared().limits = limits;
}

ReaderLimits GetReaderLimits() {
  return Shared().limits;
}

std::string FindReaderProgram() {
  {
    if (!Shared().program.empty()) return IsRegularFile(Shared().program) ? Shared().program : std::string();
  }
  if (const char* env = std::getenv("QV_READER_PROGRAM")) {
    if (*env != '\0') return IsRegularFile(env) ? std::string(env) : std::string();
  }
  // The program directory comes first: under Wine the running executable is the
  // loader, and only the front end knows where our files lie.
  for (const std::string& folder : {GetPathOfModule(), ExecutableFolder()}) {
    if (folder.empty()) continue;
    std::string candidate = folder + kReaderProgramName;
    if (IsRegularFile(candidate)) return candidate;
  }
  return std::string();
}

// ---- Running the helper -----------------------------------------------------------

namespace {

// How one helper run ended. Anything but `exited` means the map cannot be trusted.
struct HelperRun {
  bool exited = false; // exited by itself, within the limits, with output of a sane size
  int code = -1;
  std::string output;
};

#ifdef _WIN32

std::wstring Wide(const std::string& text) {
  int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  if (size > 0) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &wide[0], size);
  return wide;
}

// One argument quoted the way the C runtime of the child splits its command line.
void AppendQuoted(std::wstring* line, const std::wstring& arg) {
  line->push_back(L'"');
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') backslashes = backslashes * 2 + 1;
    line->append(backslashes, L'\\');
    backslashes = 0;
    line->push_back(c);
  }
  line->append(backslashes * 2, L'\\');
  line->push_back(L'"');
}

HelperRun RunHelper(const std::string& program, const std::vector<std::string>& args,
                    const ReaderLimits& limits) {
  HelperRun run;
  std::wstring line;
  AppendQuoted(&line, Wide(program));
  for (const std::string& arg : args) {
    line.push_back(L' ');
    AppendQuoted(&line, Wide(arg));
  }

  SECURITY_ATTRIBUTES inherit = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return run;
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  HANDLE null_in = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               &inherit, OPEN_EXISTING, 0, nullptr);

  // The job keeps the child's memory bounded and takes the child with it should
  // we die first.
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION job_limits;
  ZeroMemory(&job_limits, sizeof(job_limits));
  job_limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY |
                                                JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE |
                                                JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
  job_limits.ProcessMemoryLimit = static_cast<SIZE_T>(limits.memory_bytes);
  bool job_ok = job != nullptr && SetInformationJobObject(job, JobObjectExtendedLimitInformation, &job_limits,
                                                          sizeof(job_limits));

  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof(startup));
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = null_in;
  startup.hStdOutput = write_end;
  startup.hStdError = null_in;
  PROCESS_INFORMATION process;
  ZeroMemory(&process, sizeof(process));
  std::vector<wchar_t> command(line.begin(), line.end());
  command.push_back(L'\0');
  bool started =
      job_ok && CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                               CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  CloseHandle(write_end);
  if (null_in != INVALID_HANDLE_VALUE) CloseHandle(null_in);
  if (!started) {
    CloseHandle(read_end);
    if (job != nullptr) CloseHandle(job);
    return run;
  }
  if (!AssignProcessToJobObject(job, process.hProcess)) {
    TerminateProcess(process.hProcess, 1);
  } else {
    ResumeThread(process.hThread);
  }
  CloseHandle(process.hThread);

  ULONGLONG deadline = GetTickCount64() + limits.timeout_ms;
  bool too_much = false;
  bool finished = false;
  bool pipe_open = true;
  std::vector<char> buffer(65536);
  while (GetTickCount64() < deadline) {
    DWORD available = 0;
    if (pipe_open && PeekNamedPipe(read_end, nullptr, 0, nullptr, &available, nullptr)) {
      if (available > 0) {
        DWORD got = 0;
        DWORD want = available < buffer.size() ? available : static_cast<DWORD>(buffer.size());
        if (ReadFile(read_end, buffer.data(), want, &got, nullptr) && got > 0) {
          run.output.append(buffer.data(), got);
          if (run.output.size() > reader_protocol::kMaxOutput) {
            too_much = true;
            break;
          }
          continue;
        }
      }
    } else {
      pipe_open = false; // the child closed its end
    }
    if (WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0) {
      // Whatever the child wrote just before it ended is still in the pipe.
      DWORD got = 0;
      while (pipe_open && PeekNamedPipe(read_end, nullptr, 0, nullptr, &available, nullptr) &&
             available > 0 && run.output.size() <= reader_protocol::kMaxOutput &&
             ReadFile(read_end, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
        run.output.append(buffer.data(), got);
      }
      finished = run.output.size() <= reader_protocol::kMaxOutput;
      break;
    }
  }
  if (!finished || too_much) {
    TerminateJobObject(job, 1);
    WaitForSingleObject(process.hProcess, 5000);
  } else {
    DWORD code = 1;
    if (GetExitCodeProcess(process.hProcess, &code)) {
      run.exited = true;
      run.code = static_cast<int>(code);
    }
  }
  CloseHandle(process.hProcess);
  CloseHandle(read_end);
  CloseHandle(job);
  return run;
}

#else

long long NowMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// Between fork and exec only async-signal-safe calls are allowed: the front end
// may run other threads.
[[noreturn]] void StartChild(const char* program, char* const* argv, int out_fd, const ReaderLimits& limits,
                             unsigned alarm_seconds) {
#ifdef __linux__
  // Should we be killed, the helper goes too, and it cannot outlive its limit anyway.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
  alarm(alarm_seconds);
#ifndef QV_ASAN_BUILD
  rlimit memory;
  memory.rlim_cur = memory.rlim_max = static_cast<rlim_t>(limits.memory_bytes);
  setrlimit(RLIMIT_AS, &memory);
#else
  // The sanitizer's shadow memory needs terabytes of address space; such a
  // helper caps its resident size itself (see src/reader).
  (void)limits;
#endif
  rlimit no_core = {0, 0};
  setrlimit(RLIMIT_CORE, &no_core);

  int null_fd = open("/dev/null", O_RDWR);
  if (null_fd >= 0) {
    dup2(null_fd, 0);
    if (getenv("QV_READER_STDERR") == nullptr) dup2(null_fd, 2);
  }
  dup2(out_fd, 1);
  // The run lock and whatever else the front end holds open stay with us.
#ifdef SYS_close_range
  if (syscall(SYS_close_range, 3u, ~0u, 0u) != 0)
#endif
  {
    for (int fd = 3; fd < 4096; ++fd)
      close(fd);
  }
  execv(program, argv);
  _exit(127);
}

HelperRun RunHelper(const std::string& program, const std::vector<std::string>& args,
                    const ReaderLimits& limits) {
  HelperRun run;
  std::vector<std::string> strings;
  strings.push_back(program);
  strings.insert(strings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : strings)
    argv.push_back(&s[0]);
  argv.push_back(nullptr);

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return run;
  unsigned alarm_seconds = limits.timeout_ms / 1000 + 2;
  pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    return run;
  }
  if (pid == 0) StartChild(program.c_str(), argv.data(), fds[1], limits, alarm_seconds);
  close(fds[1]);

  long long deadline = NowMs() + limits.timeout_ms;
  bool pipe_open = true;
  bool too_much = false;
  int status = 0;
  bool reaped = false;
  std::vector<char> buffer(65536);
  while (!reaped) {
    long long left = deadline - NowMs();
    if (left <= 0) break;
    if (pipe_open) {
      pollfd p = {fds[0], POLLIN, 0};
      int ready = poll(&p, 1, static_cast<int>(left < 50 ? left : 50));
      if (ready > 0) {
        ssize_t got = read(fds[0], buffer.data(), buffer.size());
        if (got > 0) {
          run.output.append(buffer.data(), static_cast<std::size_t>(got));
          if (run.output.size() > reader_protocol::kMaxOutput) {
            too_much = true;
            break;
          }
        } else if (got == 0 || (errno != EINTR && errno != EAGAIN)) {
          pipe_open = false;
        }
      }
    } else {
      timespec nap = {0, 5 * 1000 * 1000};
      nanosleep(&nap, nullptr);
    }
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) reaped = true;
  }
  if (reaped && pipe_open) {
    // The child is gone; drain what it wrote last. A grandchild could hold the
    // pipe open, so never block here.
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    for (;;) {
      ssize_t got = read(fds[0], buffer.data(), buffer.size());
      if (got <= 0) break;
      run.output.append(buffer.data(), static_cast<std::size_t>(got));
      if (run.output.size() > reader_protocol::kMaxOutput) {
        too_much = true;
        break;
      }
    }
  }
  close(fds[0]);
  if (!reaped) {
    kill(pid, SIGKILL);
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return run;
  }
  if (too_much || !WIFEXITED(status)) return run;
  run.exited = true;
  run.code = WEXITSTATUS(status);
  return run;
}

#endif

class HelperMapReader : public MapReader {
public:
  bool Inspect(const std::string& map_path, MapInfo* info) override {
    std::string program = FindReaderProgram();
    if (program.empty()) return false;
    HelperRun run = RunHelper(program, {"inspect", map_path}, GetReaderLimits());
    if (!run.exited || run.code != reader_protocol::kOk) return false;
    return reader_protocol::ParseMapInfo(run.output, info);
  }

  CopyResult CopyOut(const std::string& map_path, const char* archive_name,
                      const std::string& output_path) override {
    // A stale file must never stand in for the map's own, whatever happens below.
    if (!RemoveFile(output_path)) return CopyResult::WriteFailed;
    std::string program = FindReaderProgram();
    if (program.empty()) return CopyResult::MapUnreadable;
    HelperRun run = RunHelper(program, {"copy", map_path, archive_name, output_path}, GetReaderLimits());
    CopyResult result = CopyResult::MapUnreadable;
    if (run.exited && run.output.empty()) {
      switch (run.code) {
      case reader_protocol::kOk:
        result = IsRegularFile(output_path) ? CopyResult::Copied : CopyResult::MapUnreadable;
        break;
      case reader_protocol::kNotInMap:
        result = CopyResult::NotInMap;
        break;
      case reader_protocol::kWriteFailed:
        result = CopyResult::WriteFailed;
        break;
      default:
        break;
      }
    }
    if (result != CopyResult::Copied) RemoveFile(output_path);
    return result;
  }
};

} // namespace

MapReader& IsolatedMapReader() {
  static HelperMapReader reader;
  return reader;
}

} // namespace qv
