#include "workflow_run.h"

#include "archive.h"
#include "file_system.h"
#include "paths.h"
#include "program_dir.h"

namespace qv {

WorkflowRun::WorkflowRun(const RunOptions& options, Report& report)
    : options_(options), report_(report),
      reader_(options.reader != nullptr ? options.reader : &DirectMapReader()),
      program_dir_(GetPathOfModule()) {}

void WorkflowRun::Begin() {
  report_.EnableButtons(false);
  report_.ShowProgress(true);
}

void WorkflowRun::End() {
  SetAction(Text::StatusReadyEnd);
  if (const char* unknown = Tr(Text::StatusUnknownEnd, options_.language)) report_.SetStatus(1, unknown);
  report_.ShowProgress(false);
}

void WorkflowRun::SetAction(Text text) {
  if (const char* action = Tr(text, options_.language)) report_.SetStatus(0, action);
}

void WorkflowRun::SetSubject(const std::string& text) {
  report_.SetStatus(1, text);
}

void WorkflowRun::StartPhase(int steps, bool set_range) {
  if (set_range) report_.SetProgressRange(steps);
  report_.SetProgressPos(0);
}

void WorkflowRun::Step() {
  report_.StepProgress();
}

void WorkflowRun::ShowError(Text text, const std::string& arg) {
  errors_shown_ = true;
  if (!HasTexts(options_.language)) return;
  report_.ShowMessage(TrFormat(text, options_.language, arg), Tr(Text::TitleError, options_.language),
                      MessageIcon::Exclamation);
}

void WorkflowRun::ShowNotice() {
  if (!HasTexts(options_.language)) return;
  report_.ShowMessage(Tr(Text::MsgNotice, options_.language), Tr(Text::TitleError, options_.language),
                      MessageIcon::Exclamation);
}

bool WorkflowRun::PathsFit(const std::vector<std::string>& paths) {
  std::string too_long = FirstPathTooLong(paths);
  if (too_long.empty()) return true;
  ShowError(Text::MsgPathTooLong, too_long);
  return false;
}

bool WorkflowRun::RaceFilesPresent(const std::vector<std::string>& disk_paths) {
  for (const std::string& path : disk_paths) {
    if (!IsRegularFile(path)) {
      ShowError(Text::MsgRaceFileMissing, path);
      return false;
    }
  }
  return true;
}

bool WorkflowRun::TakeLock() {
  if (lock_.Acquire(program_dir_)) return true;
  ShowError(Text::MsgBusy);
  return false;
}

bool WorkflowRun::InspectMap(MapInfo* info) {
  if (IsRegularFile(options_.map_path) && reader_->Inspect(options_.map_path, info)) return true;
  ShowError(Text::MsgNotRead);
  return false;
}

RunOutcome WorkflowRun::Refuse(Text text, const std::string& arg) {
  ShowError(text, arg);
  return Refused();
}

RunOutcome WorkflowRun::Refused() {
  Cleanup();
  End();
  return RunOutcome::Refused;
}

RunOutcome WorkflowRun::Finish(MpqUpdate* archive) {
  MpqCompactArchive(archive);
  if (!MpqCloseUpdatedArchive(archive, 0)) return Refuse(Text::MsgNotSaved);
  Cleanup();
  ShowNotice();
  report_.LaunchMap(options_.map_path);
  End();
  return errors_shown_ ? RunOutcome::FinishedWithErrors : RunOutcome::Finished;
}

void WorkflowRun::Cleanup() {
  for (const std::string& path : work_files_)
    RemoveFile(path);
  work_files_.clear();
}

} // namespace qv
