// Q.V. Race Installer: one dialog that puts a playable race into a Warcraft III
// map and takes it out again.
#include "program_dir.h"

#include <windows.h>

#include <commctrl.h>

#include "disk_paths.h"
#include "main_dialog.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow) {
  // The race lies beside our program. Under Wine the process's own executable is
  // Wine's loader, so the engine is told where we are.
  qv::SetProgramDirectory(qvgui::ProgramDirectory());

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);

  HWND hDlg = CreateDialogParamW(hInstance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, DlgProc, 0);
  if (hDlg == nullptr) return 0;
  ShowWindow(hDlg, nCmdShow);
  UpdateWindow(hDlg);

  MSG msg = {};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsWindow(hDlg) && IsDialogMessageW(hDlg, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
