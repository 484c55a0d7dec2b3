// The workflows' report drawn on the main dialog: status bar parts 0 and 1
// (control 201), the progress bar, the Install and Uninstall buttons, message
// boxes owned by the dialog, and the launch of the finished map.
#pragma once

// The engine's headers go first, out of reach of windows.h and its A/W macros.
#include "report.h"

#include <windows.h>

namespace qvgui {

class WindowReport : public qv::Report {
public:
  WindowReport(HWND dialog, HWND progress_bar) : dialog_(dialog), progress_bar_(progress_bar) {}

  void SetStatus(int part, const std::string& text) override;
  void EnableButtons(bool enabled) override;
  void ShowProgress(bool visible) override;
  void SetProgressRange(int max) override;
  void SetProgressPos(int pos) override;
  void StepProgress() override;
  void ShowMessage(const std::string& text, const std::string& title, qv::MessageIcon icon) override;
  void LaunchMap(const std::string& map_path) override;

private:
  // A workflow keeps the thread until it ends; paint the change now so that the
  // person sees the run move on.
  void Repaint(HWND control) const;

  HWND dialog_;
  HWND progress_bar_;
};

// Writes one part of the status bar (control 201 of `dialog`).
void SetStatusText(HWND dialog, int part, const char* utf8);

} // namespace qvgui
