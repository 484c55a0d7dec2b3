// The one way a workflow talks to the person running it. The dialog, the command
// line and the tests each implement it; the engine never draws or prints anything.
//
// Every call stands for one thing the main window shows. Texts are UTF-8.
#pragma once

#include <string>

namespace qv {

enum class MessageIcon { Exclamation, Information };

class Report {
public:
  virtual ~Report() = default;

  // Status bar: part 0 is the current action, part 1 the file it concerns.
  virtual void SetStatus(int part, const std::string& text) = 0;
  // The Install and Uninstall buttons, always switched together.
  virtual void EnableButtons(bool enabled) = 0;
  virtual void ShowProgress(bool visible) = 0;
  // The bar runs from 0 to max; each step advances it by one.
  virtual void SetProgressRange(int max) = 0;
  virtual void SetProgressPos(int pos) = 0;
  virtual void StepProgress() = 0;
  // A modal message with an OK button; returns once the person has seen it.
  virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
  // Opens the map with the program that the system associates with map files.
  virtual void LaunchMap(const std::string& map_path) = 0;
};

} // namespace qv
