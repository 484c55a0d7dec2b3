// The words a person typed, sorted into a command, its maps and the options.
// Whether they fit together is for the command to judge (commands.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli_texts.h"
#include "texts.h"

namespace qvcli {

// Options a command may accept; CommandLine::given collects those that were typed.
enum Option : unsigned {
  kOptBackup = 1u << 0,
  kOptLang = 1u << 1,
  kOptRace = 1u << 2,
  kOptOpen = 1u << 3,
  kOptEvents = 1u << 4,
};

struct UsageError {
  CliText text;
  std::string word;  // what was wrong, for the message
  std::string other; // a second word some messages name
};

// The message in the language chosen (or English, when that was what went wrong).
std::string Describe(const UsageError& error, int language);

struct CommandLine {
  std::string command;           // empty when none was typed
  std::vector<std::string> maps; // every other operand, in order
  bool backup = false;
  bool open = false;
  bool events = false;
  bool help = false;
  bool version = false;
  int language = qv::kEnglish;
  std::string race_dir;            // empty: the program's own folder
  unsigned given = 0;              // Option bits of the options typed
  std::optional<UsageError> error; // the first word that made no sense
};

// Options may stand anywhere; "--" ends them. "--lang de" and "--lang=de" both work.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The name as typed on the command line, for messages about it.
const char* OptionName(Option option);

} // namespace qvcli
