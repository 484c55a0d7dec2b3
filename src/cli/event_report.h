// --events: every call the workflow makes on its report becomes one JSON line on
// standard output, in order, so a script sees exactly what the window would show.
#pragma once

#include <cstdio>
#include <string>

#include "run_report.h"

namespace qvcli {

class EventReport : public RunReport {
public:
  EventReport(std::FILE* out, int language, bool open_maps) : RunReport(language, open_maps), out_(out) {}

  void BeginMap(const std::string&) override {}
  void EndMap() override {}

  void SetStatus(int part, const std::string& text) override;
  void EnableButtons(bool enabled) override;
  void ShowProgress(bool visible) override;
  void SetProgressRange(int max) override;
  void SetProgressPos(int pos) override;
  void StepProgress() override;
  void ShowMessage(const std::string& text, const std::string& title, qv::MessageIcon icon) override;
  void LaunchMap(const std::string& map_path) override;

private:
  // One line, flushed at once: a script follows the progress while it happens.
  void Emit(const std::string& json);

  std::FILE* out_;
};

} // namespace qvcli
