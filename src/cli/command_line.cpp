#include "command_line.h"

namespace qvcli {
namespace {

struct Flag {
  const char* name;
  Option option;
  bool CommandLine::*field;
};

const Flag kFlags[] = {
    {"--backup", kOptBackup, &CommandLine::backup},
    {"--open", kOptOpen, &CommandLine::open},
    {"--events", kOptEvents, &CommandLine::events},
};

void Fail(CommandLine* line, CliText text, const std::string& word) {
  if (!line->error) line->error = UsageError{text, word, std::string()};
}

bool SetLanguage(const std::string& value, CommandLine* line) {
  if (value == "en" || value == "1") {
    line->language = qv::kEnglish;
  } else if (value == "de" || value == "2") {
    line->language = qv::kGerman;
  } else {
    return false;
  }
  return true;
}

} // namespace

std::string Describe(const UsageError& error, int language) {
  return CliFormat(error.text, language, {error.word, error.other});
}

const char* OptionName(Option option) {
  for (const Flag& flag : kFlags) {
    if (flag.option == option) return flag.name;
  }
  return option == kOptLang ? "--lang" : "--race";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      if (line.command.empty()) {
        line.command = arg;
      } else {
        line.maps.push_back(arg);
      }
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    if (arg == "--help") {
      line.help = true;
      continue;
    }
    if (arg == "--version") {
      line.version = true;
      continue;
    }
    bool matched = false;
    for (const Flag& flag : kFlags) {
      if (arg == flag.name) {
        line.*flag.field = true;
        line.given |= flag.option;
        matched = true;
      }
    }
    if (matched) continue;

    // The two options with a value, given as "--name value" or "--name=value".
    std::string name = arg.substr(0, arg.find('='));
    if (name != "--lang" && name != "--race") {
      Fail(&line, CliText::UsageUnknownOption, arg);
      continue;
    }
    std::string value;
    if (name.size() < arg.size()) {
      value = arg.substr(name.size() + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      Fail(&line, CliText::UsageMissingValue, name);
      continue;
    }
    if (name == "--lang") {
      line.given |= kOptLang;
      if (!SetLanguage(value, &line)) Fail(&line, CliText::UsageBadLanguage, value);
    } else {
      line.given |= kOptRace;
      if (value.empty()) Fail(&line, CliText::UsageMissingValue, name);
      line.race_dir = value;
    }
  }
  return line;
}

} // namespace qvcli
