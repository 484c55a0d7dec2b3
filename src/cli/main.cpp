// qvrace: the command-line front end. It reads the command line, picks the command
// and hands over; every map-changing step happens in the engine.
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "commands.h"
#include "exit_status.h"
#include "program_dir.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // Our texts are UTF-8 ("Übertragung.").
  SetConsoleOutputCP(CP_UTF8);
#endif
  const qvcli::CommandLine line = qvcli::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.help) {
    std::fputs(qvcli::HelpText(line.language, QV_VERSION).c_str(), stdout);
    return qvcli::kExitOk;
  }
  if (line.version) {
    std::printf("qvrace %s\n", QV_VERSION);
    return qvcli::kExitOk;
  }

  std::optional<qvcli::UsageError> error = line.error;
  const qvcli::Command* command = nullptr;
  if (!error && line.command.empty()) error = qvcli::UsageError{qvcli::CliText::UsageNoCommand, "", ""};
  if (!error) {
    command = qvcli::FindCommand(line.command);
    if (command == nullptr) error = qvcli::UsageError{qvcli::CliText::UsageUnknownCommand, line.command, ""};
  }
  if (!error) error = qvcli::CheckUsage(*command, line);
  if (error) {
    std::fprintf(stderr, "qvrace: %s\n%s\n", qvcli::Describe(*error, line.language).c_str(),
                 qvcli::CliTr(qvcli::CliText::UsageSeeHelp, line.language));
    return qvcli::kExitUsage;
  }

  if (!line.race_dir.empty()) qv::SetProgramDirectory(line.race_dir);
  return command->run(line);
}
