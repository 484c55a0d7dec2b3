#include "harness.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include <sys/stat.h>

#ifndef QV_GUI_TEST_WORK
#error "QV_GUI_TEST_WORK must name the folder for the tests' files"
#endif

namespace guitest {
namespace {

struct Registry {
  std::map<std::string, void (*)()> tests;
  std::string running;
  int failures = 0;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

} // namespace

Registrar::Registrar(const char* name, void (*run)()) {
  TheRegistry().tests[name] = run;
}

void Fail(const char* file, int line, const std::string& what) {
  ++TheRegistry().failures;
  std::fprintf(stderr, "%s:%d: failure in %s\n  %s\n", file, line, TheRegistry().running.c_str(),
               what.c_str());
  std::fflush(stderr);
}

int RunMain(int argc, char** argv) {
  Registry& registry = TheRegistry();
  if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
    for (const auto& test : registry.tests)
      std::printf("%s\n", test.first.c_str());
    return 0;
  }
  if (argc != 2 || registry.tests.count(argv[1]) == 0) {
    std::fprintf(stderr, "usage: %s <test> | --list\n", argv[0]);
    return 2;
  }
  registry.running = argv[1];
  // Every test starts from an empty folder of its own.
  Shell("rm -rf '" + WorkFolder() + "' && mkdir -p '" + WorkFolder() + "'");
  std::printf("[ RUN  ] %s\n", argv[1]);
  std::fflush(stdout);
  try {
    registry.tests[argv[1]]();
  } catch (const Abort&) {
  }
  // A passed test's files go; a failed one's stay for a look.
  if (registry.failures == 0) std::system(("rm -rf '" + WorkFolder() + "'").c_str());
  std::printf("[ %s ] %s\n", registry.failures == 0 ? " OK " : "FAIL", argv[1]);
  std::fflush(stdout);
  return registry.failures == 0 ? 0 : 1;
}

// ---- Files ------------------------------------------------------------------------------

std::string WorkFolder() {
  return std::string(QV_GUI_TEST_WORK) + "/" + TheRegistry().running;
}

std::string TestFolder(const std::string& name) {
  const std::string folder = WorkFolder() + "/" + name;
  Shell("mkdir -p '" + folder + "'");
  return folder;
}

bool FileExists(const std::string& unix_path) {
  struct stat info;
  return stat(unix_path.c_str(), &info) == 0;
}

std::string ReadFile(const std::string& unix_path) {
  std::ifstream in(unix_path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void CopyFileTo(const std::string& from, const std::string& to) {
  Shell("cp '" + from + "' '" + to + "'");
}

void Shell(const std::string& command) {
  if (std::system(command.c_str()) != 0) {
    Fail(__FILE__, __LINE__, "command failed: " + command);
    throw Abort();
  }
}

std::string DosPath(const std::string& unix_path) {
  WCHAR* dos = wine_get_dos_file_name(unix_path.c_str());
  REQUIRE(dos != nullptr);
  std::string result = Utf8(dos);
  HeapFree(GetProcessHeap(), 0, dos);
  return result;
}

// ---- Windows ------------------------------------------------------------------------------

std::string Utf8(const WCHAR* text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return std::string();
  std::string result(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &result[0], length, nullptr, nullptr);
  result.pop_back();
  return result;
}

std::vector<WCHAR> Wide(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::vector<WCHAR> result(static_cast<size_t>(length > 0 ? length : 1), 0);
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, result.data(), length);
  return result;
}

bool WaitFor(const std::function<bool()>& ready, int ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (ready()) return true;
    if (GetTickCount() - start > static_cast<DWORD>(ms)) return false;
    Sleep(20);
  }
}

std::string WindowText(HWND window) {
  WCHAR text[1024] = {0};
  GetWindowTextW(window, text, 1024);
  return Utf8(text);
}

std::string ClassName(HWND window) {
  char name[256] = {0};
  GetClassNameA(window, name, sizeof name);
  return name;
}

namespace {

// Memory in the status bar's process for the texts it hands back.
struct RemoteBuffer {
  explicit RemoteBuffer(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId()) return;
    process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process != nullptr) remote = VirtualAllocEx(process, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    if (process != nullptr) CloseHandle(process);
  }
  // Where the window writes: the local buffer in-process, else the remote one.
  LPARAM Target() { return reinterpret_cast<LPARAM>(process != nullptr ? remote : local); }
  const void* Fetch(size_t bytes) {
    if (process == nullptr) return local;
    SIZE_T got = 0;
    ReadProcessMemory(process, remote, local, bytes < kSize ? bytes : kSize, &got);
    return local;
  }

  static constexpr size_t kSize = 4096;
  HANDLE process = nullptr;
  void* remote = nullptr;
  char local[kSize] = {0};
};

} // namespace

std::string StatusText(HWND status_bar, int part) {
  RemoteBuffer buffer(status_bar);
  const LRESULT length = SendMessageW(status_bar, SB_GETTEXTW, static_cast<WPARAM>(part), buffer.Target());
  const size_t chars = LOWORD(length);
  const WCHAR* text = static_cast<const WCHAR*>(buffer.Fetch((chars + 1) * sizeof(WCHAR)));
  std::vector<WCHAR> copy(text, text + chars);
  copy.push_back(0);
  return Utf8(copy.data());
}

int StatusParts(HWND status_bar, std::vector<int>* edges) {
  RemoteBuffer buffer(status_bar);
  const int count = static_cast<int>(SendMessageW(status_bar, SB_GETPARTS, 16, buffer.Target()));
  const int* got = static_cast<const int*>(buffer.Fetch(16 * sizeof(int)));
  edges->assign(got, got + (count > 0 ? count : 0));
  return count;
}

namespace {

struct OwnedSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindOwned(HWND window, LPARAM param) {
  OwnedSearch* search = reinterpret_cast<OwnedSearch*>(param);
  if (GetWindow(window, GW_OWNER) == search->owner && ClassName(window) == "#32770" &&
      IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

} // namespace

HWND OwnedDialog(HWND owner) {
  OwnedSearch search = {owner, nullptr};
  EnumWindows(FindOwned, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForOwnedDialog(HWND owner, int ms) {
  HWND found = nullptr;
  WaitFor([&] { return (found = OwnedDialog(owner)) != nullptr; }, ms);
  return found;
}

namespace {

struct ChildSearch {
  int id;
  const char* class_name;
  HWND found;
};

BOOL CALLBACK FindChildProc(HWND window, LPARAM param) {
  ChildSearch* search = reinterpret_cast<ChildSearch*>(param);
  if (GetDlgCtrlID(window) == search->id && ClassName(window) == search->class_name) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CountButtons(HWND window, LPARAM param) {
  if (ClassName(window) == "Button" && IsWindowVisible(window)) ++*reinterpret_cast<int*>(param);
  return TRUE;
}

BOOL CALLBACK FindIcon(HWND window, LPARAM param) {
  if (ClassName(window) == "Static" && (GetWindowLongW(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

} // namespace

HWND FindChild(HWND parent, int id, const char* class_name) {
  ChildSearch search = {id, class_name, nullptr};
  EnumChildWindows(parent, FindChildProc, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

MessageBoxSeen ReadMessageBox(HWND box) {
  MessageBoxSeen seen;
  seen.title = WindowText(box);
  // The message text is the box's static control 0xFFFF.
  if (HWND text = FindChild(box, 0xFFFF, "Static")) seen.text = WindowText(text);
  HWND icon = nullptr;
  EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&icon));
  if (icon != nullptr) seen.icon = reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0));
  EnumChildWindows(box, CountButtons, reinterpret_cast<LPARAM>(&seen.buttons));
  return seen;
}

void PressOk(HWND box) {
  HWND ok = GetDlgItem(box, IDOK);
  REQUIRE(ok != nullptr);
  PostMessageW(ok, BM_CLICK, 0, 0);
  REQUIRE(WaitFor([&] { return !IsWindow(box); }));
}

} // namespace guitest
