// The commands qvrace knows: their names, what they take, their help line and the
// function that does the work. Adding a command means adding a row here.
#pragma once

#include <optional>
#include <string>

#include "command_line.h"

namespace qvcli {

struct Command {
  const char* name;
  const char* operands; // as shown in the help
  const char* help_english;
  const char* help_german;
  int min_maps;
  int max_maps;                        // -1: any number
  unsigned options;                    // the Option bits the command accepts
  int (*run)(const CommandLine& line); // returns the exit status
};

// nullptr for an unknown name.
const Command* FindCommand(const std::string& name);

// Whether the maps and options typed fit the command.
std::optional<UsageError> CheckUsage(const Command& command, const CommandLine& line);

// The whole --help text, with the version.
std::string HelpText(int language, const char* version);

} // namespace qvcli
