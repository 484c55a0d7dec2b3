// What install and uninstall share: speaking to the person in the chosen language,
// the phases of the progress bar, the checks made before a map is touched, and
// cleaning up the working files.
#pragma once

#include <string>
#include <vector>

#include "map_reader.h"
#include "report.h"
#include "run_lock.h"
#include "texts.h"
#include "workflows.h"

namespace qv {

struct MpqUpdate;

class WorkflowRun {
public:
  WorkflowRun(const RunOptions& options, Report& report);

  const std::string& map_path() const { return options_.map_path; }
  const std::string& program_dir() const { return program_dir_; }
  MapReader& reader() { return *reader_; }
  bool errors_shown() const { return errors_shown_; }

  // Disables the buttons and shows the progress bar.
  void Begin();
  // "Ready." and "Unknown", progress bar hidden; the buttons stay disabled.
  void End();

  // Status part 0 with a text of the table (nothing when the language has none).
  void SetAction(Text text);
  // Status part 1: a file name or path, shown whatever the language.
  void SetSubject(const std::string& text);
  void StartPhase(int steps, bool set_range = true);
  void Step();

  // An error box; counts towards FinishedWithErrors.
  void ShowError(Text text, const std::string& arg = std::string());
  void ShowNotice();

  // Checks made before anything is written. Each shows its own message on failure.
  bool PathsFit(const std::vector<std::string>& paths);
  bool RaceFilesPresent(const std::vector<std::string>& disk_paths);
  bool TakeLock();
  bool InspectMap(MapInfo* info);

  // End a run that stopped before the map was touched: with a message, or after
  // one of the checks above has shown its own.
  RunOutcome Refuse(Text text, const std::string& arg = std::string());
  RunOutcome Refused();

  // Closes the rebuilt map into place, then the notice, the launch and the end step.
  RunOutcome Finish(MpqUpdate* archive);

  // Working files of this run; each is removed by Cleanup() unless it was released.
  void AddWorkFile(const std::string& path) { work_files_.push_back(path); }
  void Cleanup();

private:
  RunOptions options_;
  Report& report_;
  MapReader* reader_;
  std::string program_dir_;
  RunLock lock_;
  std::vector<std::string> work_files_;
  bool errors_shown_ = false;
};

} // namespace qv
