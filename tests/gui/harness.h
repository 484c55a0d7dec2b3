// A small test harness for driving the dialog under Wine, the way a person
// would: through window messages, reading back what the windows show.
//
// Each test runs in a process of its own (the dialog keeps its state in
// process-wide variables, exactly as the program does), named on the command line:
//   qvgui_tests.exe <test>     runs one test
//   qvgui_tests.exe --list     prints the names of all tests
#pragma once

#include <windows.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace guitest {

// ---- Checks -----------------------------------------------------------------------

struct Abort {}; // thrown by REQUIRE to end the test at once

void Fail(const char* file, int line, const std::string& what);

template <typename A, typename B>
void CheckEq(const A& actual, const B& expected, const char* a, const char* b, const char* file, int line) {
  if (actual == expected) return;
  std::ostringstream out;
  out << a << " == " << b << "\n    actual:   " << actual << "\n    expected: " << expected;
  Fail(file, line, out.str());
}

#define CHECK(cond) ((cond) ? (void)0 : ::guitest::Fail(__FILE__, __LINE__, #cond))
#define CHECK_EQ(actual, expected)                                                                           \
  ::guitest::CheckEq((actual), (expected), #actual, #expected, __FILE__, __LINE__)
#define REQUIRE(cond)                                                                                        \
  do {                                                                                                       \
    if (!(cond)) {                                                                                           \
      ::guitest::Fail(__FILE__, __LINE__, "required: " #cond);                                               \
      throw ::guitest::Abort();                                                                              \
    }                                                                                                        \
  } while (0)

// ---- Test registry -----------------------------------------------------------------

struct Registrar {
  Registrar(const char* name, void (*run)());
};

#define GUI_TEST(name)                                                                                       \
  static void name();                                                                                        \
  static ::guitest::Registrar name##_registrar(#name, name);                                                 \
  static void name()

// A test that runs in the test program qvgui_<program>.exe, built with other
// resources (see CMakeLists.txt).
#define GUI_TEST_ON(program, name) GUI_TEST(name)

int RunMain(int argc, char** argv);

// ---- Files and folders (the test program is a Linux process too) ------------------------

// The running test's own folder, emptied when the test starts: <work>/<test name>.
std::string WorkFolder();
// A folder in it, made when missing.
std::string TestFolder(const std::string& name);
bool FileExists(const std::string& unix_path);
std::string ReadFile(const std::string& unix_path);
void CopyFileTo(const std::string& from, const std::string& to);
// Runs a shell command; fails the test when it doesn't succeed.
void Shell(const std::string& command);
// "Z:\..." for a Unix path, as the Win32 side sees it (UTF-8).
std::string DosPath(const std::string& unix_path);

// ---- Windows ------------------------------------------------------------------------

std::string Utf8(const WCHAR* text);
std::vector<WCHAR> Wide(const std::string& utf8);

// Polls `ready` until it holds or `ms` milliseconds have gone by.
bool WaitFor(const std::function<bool()>& ready, int ms = 10000);

std::string WindowText(HWND window);
std::string ClassName(HWND window);
// The part's text of a status bar, also one that belongs to another process.
std::string StatusText(HWND status_bar, int part);
int StatusParts(HWND status_bar, std::vector<int>* edges);

// A top-level window of class "#32770" owned by `owner`, or nullptr.
HWND OwnedDialog(HWND owner);
// Waits for such a window; nullptr when none came.
HWND WaitForOwnedDialog(HWND owner, int ms = 10000);

struct MessageBoxSeen {
  std::string title;
  std::string text;
  HICON icon = nullptr; // the icon it shows, as its icon control gives it
  int buttons = 0;      // how many push buttons it has
};
MessageBoxSeen ReadMessageBox(HWND box);
// Presses the box's only button and waits until the box has gone.
void PressOk(HWND box);

// The child of `parent` (at any depth) with the given identifier and class.
HWND FindChild(HWND parent, int id, const char* class_name);

} // namespace guitest
