// The built QVRaceInstaller.exe in a process of its own: the three ways to close
// it, each with exit code 0, and a whole install from the folder it lies in.
#include "manifest.h"

#include <windows.h>

#include <string>
#include <vector>

#include "dialog_host.h"
#include "harness.h"
#include "stormlib_maps.h"

#ifndef QV_PROGRAM_EXE
#error "QV_PROGRAM_EXE must name the built program"
#endif

namespace guitest {
namespace {

// A program folder with the race and a copy of the program beside it.
std::string InstalledProgram() {
  const std::string folder = MakeProgramFolder();
  const std::string exe = folder + "/QVRaceInstaller.exe.so";
  CopyFileTo(QV_PROGRAM_EXE, exe);
  return exe;
}

// The screen point over the window's close box, found by asking the window.
bool FindCloseBox(HWND window, POINT* point) {
  RECT frame;
  GetWindowRect(window, &frame);
  for (int y = frame.top; y < frame.top + 40; y += 2) {
    for (int x = frame.right - 1; x > frame.right - 60; x -= 2) {
      if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        *point = {x, y};
        return true;
      }
    }
  }
  return false;
}

void ClickAt(POINT point) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((point.x * 65535 + width / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((point.y * 65535 + height / 2) / (height - 1));
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  }
  inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  SendInput(3, inputs, sizeof(INPUT));
}

GUI_TEST(program_close_box) {
  ProgramProcess program(InstalledProgram());
  POINT close_box;
  REQUIRE(FindCloseBox(program.window(), &close_box));
  REQUIRE(program.Activate());
  ClickAt(close_box);
  CHECK_EQ(program.WaitForExit(), 0);
}

GUI_TEST(program_alt_f4) {
  ProgramProcess program(InstalledProgram());
  REQUIRE(program.Activate());
  PressKeys({VK_MENU, VK_F4});
  CHECK_EQ(program.WaitForExit(), 0);
}

GUI_TEST(program_file_close) {
  // Alt+F opens the File menu, C chooses Close.
  ProgramProcess program(InstalledProgram());
  REQUIRE(program.Activate());
  PressKeys({VK_MENU, 'F'});
  Sleep(300);
  PressKeys({'C'});
  CHECK_EQ(program.WaitForExit(), 0);
  CHECK(!IsWindow(program.window()));
}

GUI_TEST(program_installs_from_its_folder) {
  RegisterRecorder();
  const std::string exe = InstalledProgram();
  const std::string folder = exe.substr(0, exe.rfind('/'));
  const std::string map = CopySharedMap("no-map-header-2.0.w3x");
  ProgramProcess program(exe);
  HWND window = program.window();

  PostMessageW(GetDlgItem(window, kBrowse), BM_CLICK, 0, 0);
  HWND open = WaitForOwnedDialog(window);
  REQUIRE(open != nullptr);
  TypeFileNameAndOpen(open, DosPath(map));
  REQUIRE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(window, kInstall)) != FALSE; }));
  CHECK_EQ(StatusText(GetDlgItem(window, kStatusBar), 1), DosPath(map));

  PostMessageW(GetDlgItem(window, kInstall), BM_CLICK, 0, 0);
  HWND box = WaitForOwnedDialog(window, 60000);
  REQUIRE(box != nullptr);
  const MessageBoxSeen notice = ReadMessageBox(box);
  CHECK_EQ(notice.title, "Error!");
  CHECK(notice.text.rfind("If you click the OK-Button", 0) == 0);
  // The race came from the program's own folder, named in the status bar.
  CHECK_EQ(StatusText(GetDlgItem(window, kStatusBar), 1).rfind(DosPath(folder) + "\\", 0), 0u);
  PressOk(box);
  CHECK(WaitFor([] { return RecordedLaunches().size() == 1; }));
  CHECK(WaitFor([&] { return StatusText(GetDlgItem(window, kStatusBar), 0) == "Ready."; }));

  for (const char* name : qv::g_szMapFiles)
    CHECK(mapcheck::HasFile(map, name));
  CHECK(!FileExists(folder + "/war3map.wts"));

  PostMessageW(window, WM_COMMAND, kCmdClose, 0);
  CHECK_EQ(program.WaitForExit(), 0);
}

} // namespace
} // namespace guitest
