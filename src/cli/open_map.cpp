#include "open_map.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#else
#include <spawn.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace qvcli {

#ifdef _WIN32

bool OpenWithAssociatedProgram(const std::string& map_path) {
  int size = MultiByteToWideChar(CP_UTF8, 0, map_path.c_str(), -1, nullptr, 0);
  if (size <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, map_path.c_str(), -1, &wide[0], size);
  HINSTANCE result = ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

#else

extern "C" char** environ;

bool OpenWithAssociatedProgram(const std::string& map_path) {
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  // Whatever xdg-open or the editor print goes to standard error.
  posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
  std::string program = "xdg-open";
  std::string target = map_path;
  char* argv[] = {&program[0], &target[0], nullptr};
  pid_t pid = 0;
  // glibc reports a program that cannot be run as a failure of the spawn itself.
  int error = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  // Not waited for: the editor may run for hours, and we end long before that.
  return error == 0;
}

#endif

} // namespace qvcli
