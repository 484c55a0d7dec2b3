#include "dialog_host.h"

// The engine's header first: windows.h's macros would rename its functions.
#include "program_dir.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#ifndef QV_MAKE_RACE
#error "QV_MAKE_RACE must name the race generator"
#endif
#ifndef QV_SHARED_MAPS
#error "QV_SHARED_MAPS must name the folder of the shared maps"
#endif
#ifndef QV_RECORDER
#error "QV_RECORDER must name the recorder program"
#endif

namespace guitest {

std::string MakeProgramFolder() {
  const std::string folder = TestFolder("program");
  Shell(std::string("'") + QV_MAKE_RACE + "' --race '" + folder + "' > /dev/null");
#ifdef QV_READER_PROGRAM
  // The engine's map reader, which the dialog uses when it lies in its folder.
  CopyFileTo(QV_READER_PROGRAM, folder + "/qvrace-reader");
#endif
  return folder;
}

std::string CopySharedMap(const std::string& map_name) {
  const std::string copy = TestFolder("maps") + "/" + map_name;
  CopyFileTo(std::string(QV_SHARED_MAPS) + "/" + map_name, copy);
  Shell("chmod u+w '" + copy + "'"); // the originals are read-only
  return copy;
}

// ---- The recorder --------------------------------------------------------------------

namespace {

std::string RecorderLog() {
  return WorkFolder() + "/launches.txt";
}

void SetDefaultValue(const std::string& key, const std::string& value) {
  std::vector<WCHAR> key_w = Wide(key), value_w = Wide(value);
  const LSTATUS status = RegSetKeyValueW(HKEY_CLASSES_ROOT, key_w.data(), nullptr, REG_SZ, value_w.data(),
                                         static_cast<DWORD>(value_w.size() * sizeof(WCHAR)));
  REQUIRE(status == ERROR_SUCCESS);
}

} // namespace

void RegisterRecorder() {
  const std::string command = "\"" + DosPath(QV_RECORDER) + "\" \"%1\"";
  SetDefaultValue(".w3x", "QVTest.Map");
  SetDefaultValue("QVTest.Map\\shell\\open\\command", command);
  SetDefaultValue("http\\shell\\open\\command", command);
  SetDefaultValue("https\\shell\\open\\command", command);
  // The recorder writes where its environment says; it inherits ours.
  std::vector<WCHAR> log = Wide(RecorderLog());
  SetEnvironmentVariableW(L"QV_RECORDER_LOG", log.data());
}

std::vector<std::string> RecordedLaunches() {
  std::vector<std::string> launches;
  std::istringstream lines(ReadFile(RecorderLog()));
  for (std::string line; std::getline(lines, line);)
    launches.push_back(line);
  return launches;
}

// ---- HostedDialog ----------------------------------------------------------------------

namespace {

HostedDialog* g_host = nullptr; // the hook needs to find the one dialog of this process

struct ThreadSearch {
  HWND main;
  HWND box;
};

// The main window once it shows, or a message box that the start-up shows first.
BOOL CALLBACK FindStartWindows(HWND window, LPARAM param) {
  ThreadSearch* search = reinterpret_cast<ThreadSearch*>(param);
  if (ClassName(window) != "#32770" || !IsWindowVisible(window)) return TRUE;
  if (WindowText(window) == kCaption) {
    search->main = window;
  } else {
    search->box = window;
  }
  return TRUE;
}

} // namespace

HostedDialog::HostedDialog(const std::string& program_folder, std::vector<MessageBoxSeen>* startup_boxes) {
  REQUIRE(g_host == nullptr);
  g_host = this;
  thread_ = CreateThread(nullptr, 0, Run, this, 0, &thread_id_);
  REQUIRE(thread_ != nullptr);
  ThreadSearch search = {nullptr, nullptr};
  REQUIRE(WaitFor([&] {
    search = {nullptr, nullptr};
    EnumThreadWindows(thread_id_, FindStartWindows, reinterpret_cast<LPARAM>(&search));
    if (search.box != nullptr) {
      REQUIRE(startup_boxes != nullptr);
      startup_boxes->push_back(ReadMessageBox(search.box));
      PressOk(search.box);
    }
    return search.main != nullptr;
  }));
  window_ = search.main;
  // WinMain pointed the engine at this test program's folder; the race is elsewhere.
  qv::SetProgramDirectory(program_folder);
  hook_ = SetWindowsHookExW(WH_CALLWNDPROC, Watch, nullptr, thread_id_);
  REQUIRE(hook_ != nullptr);
  // A round trip through the dialog's thread, which then knows of the hook.
  REQUIRE(Idle());
}

HostedDialog::~HostedDialog() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  g_host = nullptr;
  // The process ends after each test; the thread goes with it.
}

DWORD WINAPI HostedDialog::Run(void*) {
  return static_cast<DWORD>(
      WinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL));
}

LRESULT CALLBACK HostedDialog::Watch(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  HostedDialog* host = g_host;
  if (code == HC_ACTION && host != nullptr && GetParent(sent->hwnd) == host->window_) {
    const int id = GetDlgCtrlID(sent->hwnd);
    std::ostringstream event;
    if (id == kStatusBar && sent->message == SB_SETTEXTW) {
      event << "status " << static_cast<int>(LOBYTE(sent->wParam)) << " "
            << Utf8(reinterpret_cast<const WCHAR*>(sent->lParam));
    } else if (id == kStatusBar && sent->message == SB_SETTEXTA) {
      event << "status " << static_cast<int>(LOBYTE(sent->wParam)) << " "
            << reinterpret_cast<const char*>(sent->lParam) << " (8-bit)";
    } else if (id == kProgress && sent->message == PBM_SETRANGE) {
      event << "range " << LOWORD(sent->lParam) << "-" << HIWORD(sent->lParam);
    } else if (id == kProgress && sent->message == PBM_SETRANGE32) {
      event << "range " << sent->wParam << "-" << sent->lParam;
    } else if (id == kProgress && sent->message == PBM_SETPOS) {
      event << "pos " << sent->wParam;
    } else if (id == kProgress && sent->message == PBM_STEPIT) {
      event << "step";
    } else if (id == kProgress && sent->message == PBM_SETSTEP) {
      event << "setstep " << sent->wParam;
    } else if (id == kProgress && sent->message == WM_SHOWWINDOW) {
      event << (sent->wParam ? "progress shown" : "progress hidden");
    } else if ((id == kInstall || id == kUninstall) && sent->message == WM_ENABLE) {
      event << "enable " << id << " " << (sent->wParam ? 1 : 0);
    }
    if (!event.str().empty()) {
      host->Note(event.str());
      if (host->on_event_) host->on_event_(event.str());
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void HostedDialog::Note(const std::string& event) {
  std::lock_guard<std::mutex> lock(events_mutex_);
  events_.push_back(event);
}

std::vector<std::string> HostedDialog::Events() {
  std::lock_guard<std::mutex> lock(events_mutex_);
  return events_;
}

HWND HostedDialog::Focus() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(thread_id_, &info);
  return info.hwndFocus;
}

void HostedDialog::Command(int id) {
  PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void HostedDialog::Click(int id) {
  HWND button = Control(id);
  REQUIRE(button != nullptr);
  REQUIRE(IsWindowEnabled(button));
  PostMessageW(button, BM_CLICK, 0, 0);
}

HWND HostedDialog::WaitForBox(int ms) {
  return WaitForOwnedDialog(window_, ms);
}

int HostedDialog::WaitForExit(int ms) {
  if (WaitForSingleObject(thread_, static_cast<DWORD>(ms)) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeThread(thread_, &code);
  return static_cast<int>(code);
}

bool HostedDialog::Idle() {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result) != 0 &&
         OwnedDialog(window_) == nullptr;
}

void HostedDialog::OpenMap(const std::string& unix_path) {
  Click(kBrowse);
  HWND open = WaitForBox();
  REQUIRE(open != nullptr);
  TypeFileNameAndOpen(open, DosPath(unix_path));
  REQUIRE(WaitFor([&] { return !IsWindow(open); }));
  REQUIRE(Idle());
}

// ---- The open-file dialog ---------------------------------------------------------------

HWND FileNameField(HWND open_dialog) {
  // The Explorer-style dialog's name field: an edit box of its own, or the edit
  // part of a combo box, depending on the system's version of the dialog.
  if (HWND edit = FindChild(open_dialog, 0x480, "Edit")) return edit;
  if (HWND combo = FindChild(open_dialog, 0x47C, "ComboBox"))
    return FindWindowExW(combo, nullptr, L"Edit", nullptr);
  return nullptr;
}

HWND FileTypeBox(HWND open_dialog) {
  return FindChild(open_dialog, 0x470, "ComboBox");
}

void TypeFileNameAndOpen(HWND open_dialog, const std::string& text) {
  HWND field = FileNameField(open_dialog);
  REQUIRE(field != nullptr);
  std::vector<WCHAR> wide = Wide(text);
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.data()));
  HWND open_button = GetDlgItem(open_dialog, IDOK);
  REQUIRE(open_button != nullptr);
  PostMessageW(open_button, BM_CLICK, 0, 0);
}

// ---- ProgramProcess ----------------------------------------------------------------------

namespace {

struct ProcessSearch {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param) {
  ProcessSearch* search = reinterpret_cast<ProcessSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->process_id && ClassName(window) == "#32770" && WindowText(window) == kCaption &&
      IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

} // namespace

ProgramProcess::ProgramProcess(const std::string& exe_unix_path) {
  std::vector<WCHAR> command = Wide("\"" + DosPath(exe_unix_path) + "\"");
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  // Starting a program was seen to fail once in a fresh prefix; a second try is
  // not what the tests are about, so allow it (and say so).
  bool started = false;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &info_) != FALSE;
    if (!started) {
      std::fprintf(stderr, "CreateProcess failed with error %u\n", static_cast<unsigned>(GetLastError()));
      Sleep(500);
    }
  }
  REQUIRE(started);
  ProcessSearch search = {info_.dwProcessId, nullptr};
  REQUIRE(WaitFor([&] {
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  }));
  window_ = search.found;
}

ProgramProcess::~ProgramProcess() {
  if (info_.hProcess == nullptr) return;
  if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 99);
  CloseHandle(info_.hProcess);
  CloseHandle(info_.hThread);
}

long ProgramProcess::WaitForExit(int ms) {
  if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(ms)) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return static_cast<long>(code);
}

bool ProgramProcess::Activate() {
  SetForegroundWindow(window_);
  return WaitFor([&] { return GetForegroundWindow() == window_; }, 5000);
}

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto key = keys.end(); key != keys.begin();) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *--key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

} // namespace guitest
