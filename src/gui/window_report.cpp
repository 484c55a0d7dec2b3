#include "window_report.h"

#include <commctrl.h>
#include <shellapi.h>

#include "disk_paths.h"
#include "resource.h"
#include "wide_text.h"

namespace qvgui {

void SetStatusText(HWND dialog, int part, const char* utf8) {
  Wide text(utf8);
  SendDlgItemMessageW(dialog, IDC_STATUSBAR, SB_SETTEXTW, static_cast<WPARAM>(part),
                      reinterpret_cast<LPARAM>(text.get()));
}

void WindowReport::SetStatus(int part, const std::string& text) {
  // Status part 1 names files; the engine's paths are shown as the system writes them.
  SetStatusText(dialog_, part, (part == 1 ? WindowPath(text) : text).c_str());
  Repaint(GetDlgItem(dialog_, IDC_STATUSBAR));
}

void WindowReport::EnableButtons(bool enabled) {
  EnableWindow(GetDlgItem(dialog_, IDC_INSTALL), enabled);
  EnableWindow(GetDlgItem(dialog_, IDC_UNINSTALL), enabled);
}

void WindowReport::ShowProgress(bool visible) {
  ShowWindow(progress_bar_, visible ? SW_SHOW : SW_HIDE);
  Repaint(progress_bar_);
}

void WindowReport::SetProgressRange(int max) {
  SendMessageW(progress_bar_, PBM_SETRANGE, 0, MAKELPARAM(0, max));
}

void WindowReport::SetProgressPos(int pos) {
  SendMessageW(progress_bar_, PBM_SETPOS, static_cast<WPARAM>(pos), 0);
  Repaint(progress_bar_);
}

void WindowReport::StepProgress() {
  SendMessageW(progress_bar_, PBM_STEPIT, 0, 0);
  Repaint(progress_bar_);
}

void WindowReport::ShowMessage(const std::string& text, const std::string& title, qv::MessageIcon icon) {
  // A message about a file ends in the file's path ("...: /path"); show it as the
  // system writes paths.
  std::string shown = text;
  const std::string::size_type path = shown.find(": /");
  if (path != std::string::npos) shown = shown.substr(0, path + 2) + WindowPath(shown.substr(path + 2));
  const UINT type = MB_OK | (icon == qv::MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
  MessageBoxW(dialog_, Wide(shown).get(), Wide(title).get(), type);
}

void WindowReport::LaunchMap(const std::string& map_path) {
  // What opens it, and whether anything does, is the system's business.
  ShellExecuteW(nullptr, L"open", Wide(WindowPath(map_path)).get(), nullptr, nullptr, SW_SHOWNORMAL);
}

void WindowReport::Repaint(HWND control) const {
  if (control != nullptr) UpdateWindow(control);
}

} // namespace qvgui
