// The dialog under test, and what a test needs around it.
//
// HostedDialog runs the program's own WinMain (the same dialog code and resources
// as QVRaceInstaller.exe) on a thread of this process, the thread that a person's
// clicks would reach. Being in the same process lets the test read the menus,
// which Wine keeps per process, and watch every status, progress and button
// change while a workflow runs, through a hook on that thread.
//
// ProgramProcess starts the built QVRaceInstaller.exe itself, for what only the
// real program shows: its exit code and its own program directory.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "harness.h"

namespace guitest {

// The dialog's controls and commands, by the numbers that the program uses.
enum Control : int {
  kStatusBar = 201,
  kBrowse = 202,
  kLabel = 203,
  kInstall = 204,
  kGroup = 205,
  kProgress = 206,
  kUninstall = 208,
  kBackup = 209,
};
enum Command : int {
  kCmdOpenMap = 101,
  kCmdClose = 102,
  kCmdEnglish = 103,
  kCmdAbout = 106,
  kCmdGerman = 205,
  kCmdWebsite = 207,
};

constexpr const char* kCaption = "Q.V. Race Installer v0.4";
constexpr const char* kWebAddress = "https://qv-race-installer.example/";

// A program folder: the sample race written by the race generator, the folder
// that the dialog works in.
std::string MakeProgramFolder();
// A copy of one of the shared real maps in a folder of the test's own.
std::string CopySharedMap(const std::string& map_name);

// Opening maps and web addresses goes to a recorder program: this registers it in
// Wine's registry and tells where it writes.
void RegisterRecorder();
std::vector<std::string> RecordedLaunches();

class HostedDialog {
public:
  // Message boxes that the dialog shows while it starts, before its window
  // appears, are read into `startup_boxes` and answered with OK.
  explicit HostedDialog(const std::string& program_folder,
                        std::vector<MessageBoxSeen>* startup_boxes = nullptr);
  ~HostedDialog();

  HWND window() const { return window_; }
  HWND Control(int id) const { return GetDlgItem(window_, id); }
  HWND StatusBar() const { return Control(kStatusBar); }
  HWND ProgressBar() const { return Control(kProgress); }
  // The control that has the keyboard focus on the dialog's thread.
  HWND Focus() const;

  // A menu item or button, as a click would send it.
  void Command(int id);
  // Clicks a button that must be enabled.
  void Click(int id);
  // Waits for a message box (or another dialog) owned by the dialog.
  HWND WaitForBox(int ms = 15000);
  // Waits for the thread that ran WinMain to end; its exit code, or -1 on timeout.
  int WaitForExit(int ms = 10000);
  bool Idle(); // the dialog answers messages, so nothing modal or busy is going on

  // What the dialog's thread did to the status bar, the progress bar and the
  // buttons, one line each: "status 0 Copy.", "range 11", "pos 0", "step",
  // "progress shown", "progress hidden", "enable 204 0", plus "box <title>|<text>"
  // for each message box that the test has read.
  std::vector<std::string> Events();
  void Note(const std::string& event);
  // Called on the dialog's thread for each event as it happens, before the
  // control handles it.
  void OnEvent(std::function<void(const std::string&)> callback) { on_event_ = std::move(callback); }

  // Opens a map through the open-file dialog as a person would: the browse
  // button, the name typed into the file name field, then Open.
  void OpenMap(const std::string& unix_path);

private:
  static DWORD WINAPI Run(void* self);
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam);

  HANDLE thread_ = nullptr;
  DWORD thread_id_ = 0;
  HWND window_ = nullptr;
  HHOOK hook_ = nullptr;
  std::mutex events_mutex_;
  std::vector<std::string> events_;
  std::function<void(const std::string&)> on_event_;
};

// In the open-file dialog `open_dialog`: the file name field and the filter box.
HWND FileNameField(HWND open_dialog);
HWND FileTypeBox(HWND open_dialog);
// Types `text` into the name field and presses Open.
void TypeFileNameAndOpen(HWND open_dialog, const std::string& text);

class ProgramProcess {
public:
  // Starts `exe` (a Winelib ".exe.so") and waits for its main window.
  explicit ProgramProcess(const std::string& exe_unix_path);
  ~ProgramProcess();
  HWND window() const { return window_; }
  // The process's exit code once it has ended, or -1 when it is still running.
  long WaitForExit(int ms = 10000);
  // Brings the window to the front and gives it the keyboard, for real key presses.
  bool Activate();

private:
  PROCESS_INFORMATION info_ = {};
  HWND window_ = nullptr;
};

// Presses and releases keys through the system's input queue. `keys` are virtual
// key codes pressed in order and released in reverse.
void PressKeys(std::initializer_list<WORD> keys);

} // namespace guitest
