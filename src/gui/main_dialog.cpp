#include "main_dialog.h"

// Engine headers before the Win32 ones (see window_report.h).
#include "isolated_map_reader.h"
#include "texts.h"
#include "workflows.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstring>

#include "disk_paths.h"
#include "resource.h"
#include "website.h"
#include "wide_text.h"
#include "window_report.h"

int g_backup = 0;
int g_language = qv::kEnglish;

namespace {

using qv::Text;
using qvgui::SetStatusText;
using qvgui::Wide;

constexpr int kStatusParts[] = {100, 200, -1};

HINSTANCE OwnModule() {
  return GetModuleHandleW(nullptr);
}

// A message box owned by the dialog, in `language`; nothing when the language has no texts.
void ShowMessage(HWND hDlg, Text text, Text title, int language, UINT icon) {
  const char* body = qv::Tr(text, language);
  const char* caption = qv::Tr(title, language);
  if (body == nullptr || caption == nullptr) return;
  MessageBoxW(hDlg, Wide(body).get(), Wide(caption).get(), MB_OK | icon);
}

void SetControlText(HWND hDlg, int id, Text text, int language) {
  if (const char* utf8 = qv::Tr(text, language)) SetDlgItemTextW(hDlg, id, Wide(utf8).get());
}

// Centred on the whole screen, not the work area; a window larger than the screen
// gets a negative edge of half the overflow.
void CentreWindow(HWND hDlg) {
  RECT rect;
  GetWindowRect(hDlg, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  MoveWindow(hDlg, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
             width, height, TRUE);
}

void InitDialog(HWND hDlg, HMENU& hMenu, HWND& hStatusBar, HWND& hProgressbar) {
  CentreWindow(hDlg);

  // The controls' texts at start come from the text table, in English.
  SetControlText(hDlg, IDC_GROUP, Text::GroupInstall, qv::kEnglish);
  SetControlText(hDlg, IDC_LABEL, Text::LabelOpenMap, qv::kEnglish);
  SetControlText(hDlg, IDC_INSTALL, Text::ButtonInstall, qv::kEnglish);
  SetControlText(hDlg, IDC_UNINSTALL, Text::ButtonUninstall, qv::kEnglish);
  SetControlText(hDlg, IDC_BACKUP, Text::CheckBackupStart, qv::kEnglish);

  // The big icon, and the small one scaled by the system from the same picture.
  HANDLE big_icon = LoadImageW(OwnModule(), MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON, 32, 32, 0);
  HANDLE small_icon = LoadImageW(OwnModule(), MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON, 16, 16, 0);
  if (big_icon == nullptr || small_icon == nullptr)
    ShowMessage(hDlg, Text::MsgIconsNotLoaded, Text::TitleWarning, qv::kEnglish, MB_ICONEXCLAMATION);
  SendMessageW(hDlg, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon));
  SendMessageW(hDlg, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon));

  // The menu goes on before the status bar, which then lies below the menu's room.
  hMenu = LoadMenuW(OwnModule(), MAKEINTRESOURCEW(IDM_MENU_ENGLISH));
  if (hMenu == nullptr)
    ShowMessage(hDlg, Text::MsgMenuNotLoaded, Text::TitleWarning, qv::kEnglish, MB_ICONEXCLAMATION);
  SetMenu(hDlg, hMenu);

  hStatusBar =
      CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, hDlg,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUSBAR)), OwnModule(), nullptr);
  if (hStatusBar == nullptr)
    ShowMessage(hDlg, Text::MsgStatusbarNotCreated, Text::TitleWarning, qv::kEnglish, MB_ICONEXCLAMATION);
  SendDlgItemMessageW(hDlg, IDC_STATUSBAR, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(kStatusParts));
  SetStatusText(hDlg, 0, qv::Tr(Text::StatusReady, qv::kEnglish));
  SetStatusText(hDlg, 1, qv::Tr(Text::StatusUnknown, qv::kEnglish));

  // In pixels over the status bar's third part; shown only while a workflow runs.
  hProgressbar =
      CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 202, 124, 80, 18, hDlg,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PROGRESS)), OwnModule(), nullptr);
  SendMessageW(hProgressbar, PBM_SETSTEP, 1, 0);
  ShowWindow(hProgressbar, SW_HIDE);
}

// File > Open map... and the browse button. The chosen map stays chosen when the
// person cancels.
void OpenMap(HWND hDlg, WCHAR* szFileName) {
  WCHAR chosen[MAX_PATH];
  std::memcpy(chosen, szFileName, sizeof chosen);

  OPENFILENAMEW request;
  std::memset(&request, 0, sizeof request);
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  request.hwndOwner = hDlg;
  request.lpstrFilter = L"Frozen Throne Maps (*.w3x)\0*.w3x\0";
  request.lpstrFile = chosen;
  request.nMaxFile = MAX_PATH;
  request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  request.lpstrDefExt = L"w3x";
  if (!GetOpenFileNameW(&request)) return;

  std::memcpy(szFileName, chosen, sizeof chosen);
  if (const char* opened = qv::Tr(Text::StatusFileOpened, g_language)) {
    SetStatusText(hDlg, 0, opened);
    SetStatusText(hDlg, 1, qvgui::ToUtf8(szFileName).c_str());
  }
  EnableWindow(GetDlgItem(hDlg, IDC_INSTALL), TRUE);
  EnableWindow(GetDlgItem(hDlg, IDC_UNINSTALL), TRUE);
}

void OpenWebsite() {
  ShellExecuteW(nullptr, L"open", Wide(QV_WEBSITE).get(), nullptr, nullptr, SW_SHOWNORMAL);
}

void BackupOption(HWND hDlg) {
  if (IsDlgButtonChecked(hDlg, IDC_BACKUP) == BST_CHECKED) {
    g_backup = 1;
    return;
  }
  g_backup = 0;
  ShowMessage(hDlg, Text::MsgBackupOff, Text::TitleBackupOff, g_language, MB_ICONEXCLAMATION);
}

// Loads the language's menu afresh and puts every text of the window in that
// language. A missing menu is reported in the language being left.
void SwitchLanguage(HWND hDlg, HMENU& hMenu, int language) {
  const int leaving = language == qv::kGerman ? qv::kEnglish : qv::kGerman;
  HMENU old_menu = hMenu;
  hMenu =
      LoadMenuW(OwnModule(), MAKEINTRESOURCEW(language == qv::kGerman ? IDM_MENU_GERMAN : IDM_MENU_ENGLISH));
  if (hMenu == nullptr)
    ShowMessage(hDlg, Text::MsgMenuNotLoaded, Text::TitleWarning, leaving, MB_ICONEXCLAMATION);
  SetMenu(hDlg, hMenu);
  if (old_menu != nullptr) DestroyMenu(old_menu);

  SetControlText(hDlg, IDC_GROUP, Text::GroupInstall, language);
  SetControlText(hDlg, IDC_LABEL, Text::LabelOpenMap, language);
  SetControlText(hDlg, IDC_INSTALL, Text::ButtonInstall, language);
  SetControlText(hDlg, IDC_UNINSTALL, Text::ButtonUninstall, language);
  SetControlText(hDlg, IDC_BACKUP, Text::CheckBackup, language);
  SetStatusText(hDlg, 0, qv::Tr(Text::StatusReady, language));
  SetStatusText(hDlg, 1, qv::Tr(Text::StatusUnknown, language));
  g_language = language;
}

// Maps are read by the engine's reader program when it lies beside us, so that a
// damaged map can't take the window down with it; without it, in this process.
qv::MapReader& ChosenMapReader() {
  return qv::FindReaderProgram().empty() ? qv::DirectMapReader() : qv::IsolatedMapReader();
}

void RunWorkflow(HWND hDlg, HWND hProgressbar, const WCHAR* szFileName, bool install) {
  qv::RunOptions options;
  options.map_path = qvgui::EnginePath(szFileName);
  options.backup = g_backup == 1;
  options.language = g_language;
  options.reader = &ChosenMapReader();
  qvgui::WindowReport report(hDlg, hProgressbar);
  if (install) {
    qv::InstallRace(options, report);
  } else {
    qv::UninstallRace(options, report);
  }
}

void Command(HWND hDlg, WPARAM command, HMENU& hMenu, HWND hProgressbar, WCHAR* szFileName) {
  switch (command) {
  case IDM_OPEN:
    OpenMap(hDlg, szFileName);
    break;
  case IDC_BROWSE:
    SendMessageW(hDlg, WM_COMMAND, IDM_OPEN, 0);
    break;
  case IDM_CLOSE:
    PostQuitMessage(0);
    break;
  case IDM_ENGLISH:
    SwitchLanguage(hDlg, hMenu, qv::kEnglish);
    break;
  case IDM_GERMAN:
    SwitchLanguage(hDlg, hMenu, qv::kGerman);
    break;
  case IDM_ABOUT:
    ShowMessage(hDlg, Text::MsgAbout, Text::TitleAbout, g_language, MB_ICONINFORMATION);
    break;
  case IDM_WEBSITE:
    OpenWebsite();
    break;
  case IDC_INSTALL:
    RunWorkflow(hDlg, hProgressbar, szFileName, true);
    break;
  case IDC_UNINSTALL:
    RunWorkflow(hDlg, hProgressbar, szFileName, false);
    break;
  case IDC_BACKUP:
    BackupOption(hDlg);
    break;
  default: // not a command of ours
    break;
  }
}

} // namespace

INT_PTR CALLBACK DlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
  static HMENU hMenu = nullptr;
  static HWND hStatusBar = nullptr;
  static HWND hProgressbar = nullptr;
  static WCHAR szFileName[MAX_PATH] = L"";

  switch (message) {
  case WM_INITDIALOG:
    InitDialog(hDlg, hMenu, hStatusBar, hProgressbar);
    return TRUE; // the focus goes to the first tab stop, the browse button
  case WM_COMMAND:
    Command(hDlg, wParam, hMenu, hProgressbar, szFileName);
    return TRUE;
  case WM_CLOSE:
    DestroyWindow(hDlg);
    return TRUE;
  case WM_DESTROY:
    PostQuitMessage(0);
    return TRUE;
  default:
    return FALSE;
  }
}
