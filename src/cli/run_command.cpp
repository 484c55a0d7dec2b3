#include "run_command.h"

#include <cstdio>
#include <memory>

#include "event_report.h"
#include "exit_status.h"
#include "reader_choice.h"
#include "terminal_report.h"
#include "workflows.h"

namespace qvcli {
namespace {

using Workflow = qv::RunOutcome (*)(const qv::RunOptions&, qv::Report&);

int RunEachMap(const CommandLine& line, Workflow workflow, CliText heading) {
  std::unique_ptr<RunReport> report;
  if (line.events) {
    report = std::make_unique<EventReport>(stdout, line.language, line.open);
  } else {
    report = std::make_unique<TerminalReport>(stdout, stderr, IsTerminal(stdout), line.language, line.open);
  }
  int status = kExitOk;
  for (const std::string& map : line.maps) {
    qv::RunOptions options;
    options.map_path = map;
    options.backup = line.backup;
    options.language = line.language;
    options.reader = &ChosenMapReader();
    report->BeginMap(CliFormat(heading, line.language, {map}));
    qv::RunOutcome outcome = workflow(options, *report);
    report->EndMap();
    status = WorseOf(status, ExitStatusOf(outcome));
  }
  return status;
}

} // namespace

int RunInstall(const CommandLine& line) {
  return RunEachMap(line, qv::InstallRace, CliText::HeadingInstall);
}

int RunUninstall(const CommandLine& line) {
  return RunEachMap(line, qv::UninstallRace, CliText::HeadingUninstall);
}

} // namespace qvcli
