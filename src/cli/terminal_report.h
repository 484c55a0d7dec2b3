// A run reported to a person.
//
// The workflow moves a progress bar through phases (a phase begins where the bar is
// set back to 0). Each finished phase leaves one line, "[ 11/ 11] Copy.", with the
// count it reached and the action it did. On a terminal the line of the running
// phase is rewritten in place after every step, with the file being worked on;
// elsewhere (a pipe, a log file) only the finished lines appear, so a log of one
// install stays a handful of lines instead of one per file.
//
// Messages are printed as "Title: text" the moment they come: errors on standard
// error, the closing notice and anything else on standard output. Nothing waits
// for a key. "Ready." and other actions outside a phase get a line of their own.
#pragma once

#include <cstdio>
#include <string>

#include "run_report.h"

namespace qvcli {

class TerminalReport : public RunReport {
public:
  // `live`: rewrite the running line in place (standard output is a terminal).
  TerminalReport(std::FILE* out, std::FILE* err, bool live, int language, bool open_maps);

  void BeginMap(const std::string& heading) override;
  void EndMap() override;

  void SetStatus(int part, const std::string& text) override;
  void EnableButtons(bool) override {}
  void ShowProgress(bool visible) override;
  void SetProgressRange(int max) override;
  void SetProgressPos(int pos) override;
  void StepProgress() override;
  void ShowMessage(const std::string& text, const std::string& title, qv::MessageIcon icon) override;
  void LaunchMap(const std::string& map_path) override { OpenIfAsked(map_path); }

private:
  std::string PhaseLine(bool with_subject) const;
  void Draw();
  void ClearLine();
  void EndPhase();
  void PrintLine(std::FILE* stream, const std::string& line);

  std::FILE* out_;
  std::FILE* err_;
  bool live_;
  std::size_t width_;
  bool in_phase_ = false;
  int max_ = 0;
  int pos_ = 0;
  std::string action_;    // status part 0
  std::string subject_;   // status part 1: the file at hand
  std::size_t drawn_ = 0; // columns of the line now on the terminal
};

// True when `stream` goes to a terminal, where the live line makes sense.
bool IsTerminal(std::FILE* stream);

} // namespace qvcli
