// Pictures of the main window for the documentation, written by
// scripts/gui-screenshots.sh (make screenshots) into $QV_SCREENSHOT_DIR. They
// run like the tests but are not tests of their own.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "dialog_host.h"
#include "harness.h"

#define GUI_SCREENSHOT(name) GUI_TEST(name)

namespace guitest {
namespace {

// The window as it is on the screen now, cut out of the whole display.
void Capture(HWND window, const char* file_name) {
  const char* folder = std::getenv("QV_SCREENSHOT_DIR");
  REQUIRE(folder != nullptr);
  RECT frame;
  GetWindowRect(window, &frame);
  const std::string geometry = std::to_string(frame.right - frame.left) + "x" +
                               std::to_string(frame.bottom - frame.top) + "+" + std::to_string(frame.left) +
                               "+" + std::to_string(frame.top);
  Shell("import -window root -crop " + geometry + " +repage '" + folder + "/" + file_name + "'");
}

GUI_SCREENSHOT(screenshot_english) {
  HostedDialog dialog(MakeProgramFolder());
  dialog.OpenMap(CopySharedMap("melee-131-2p.w3x"));
  Sleep(300);
  Capture(dialog.window(), "main-english.png");
}

GUI_SCREENSHOT(screenshot_german) {
  HostedDialog dialog(MakeProgramFolder());
  dialog.Command(kCmdGerman);
  REQUIRE(dialog.Idle());
  dialog.OpenMap(CopySharedMap("melee-131-2p.w3x"));
  Sleep(300);
  Capture(dialog.window(), "main-german.png");
}

GUI_SCREENSHOT(screenshot_install) {
  RegisterRecorder();
  HostedDialog dialog(MakeProgramFolder());
  dialog.OpenMap(CopySharedMap("melee-131-2p.w3x"));
  // Half-way through the race's files, taken on the dialog's own thread while
  // the install holds it.
  int race_steps = -1;
  bool taken = false;
  HWND window = dialog.window();
  dialog.OnEvent([&](const std::string& event) {
    if (event.rfind("range ", 0) == 0) race_steps = event == "range 0-123" ? 0 : -1;
    if (race_steps >= 0 && event == "step" && ++race_steps == 60) {
      Capture(window, "install.png");
      taken = true;
    }
  });
  dialog.Click(kInstall);
  HWND box = dialog.WaitForBox(60000);
  REQUIRE(box != nullptr);
  PressOk(box);
  CHECK(taken);
}

} // namespace
} // namespace guitest
