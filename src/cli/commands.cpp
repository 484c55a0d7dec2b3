#include "commands.h"

#include "check_race_command.h"
#include "run_command.h"
#include "status_command.h"

namespace qvcli {
namespace {

constexpr unsigned kAllRunOptions = kOptLang | kOptRace | kOptOpen | kOptEvents;

const Command kCommands[] = {
    {"install", "MAP... [--backup]", "put the race into each map, one after another",
     "die Rasse in jede Map einfügen, eine nach der anderen", 1, -1, kAllRunOptions | kOptBackup, RunInstall},
    {"uninstall", "MAP...", "take the race out of each map again", "die Rasse wieder aus jeder Map entfernen",
     1, -1, kAllRunOptions, RunUninstall},
    {"status", "MAP...", "what each map holds: the race?, base files, HM3W header, string ids",
     "was jede Map enthält: die Rasse?, Basisdateien, HM3W-Header, String-Nummern", 1, -1,
     kOptLang | kOptEvents, ShowStatus},
    {"check-race", "", "is the race's folder complete? Lists the files that are missing",
     "ist der Ordner der Rasse vollständig? Nennt die fehlenden Dateien", 0, 0,
     kOptLang | kOptRace | kOptEvents, CheckRace},
};

const Option kOptions[] = {kOptBackup, kOptLang, kOptRace, kOptOpen, kOptEvents};

} // namespace

const Command* FindCommand(const std::string& name) {
  for (const Command& command : kCommands) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

std::optional<UsageError> CheckUsage(const Command& command, const CommandLine& line) {
  for (Option option : kOptions) {
    if ((line.given & option) != 0 && (command.options & option) == 0) {
      return UsageError{CliText::UsageOptionNotHere, OptionName(option), command.name};
    }
  }
  const int maps = static_cast<int>(line.maps.size());
  if (maps < command.min_maps) return UsageError{CliText::UsageNeedsMap, command.name, std::string()};
  if (command.max_maps >= 0 && maps > command.max_maps) {
    CliText text = command.max_maps == 0 ? CliText::UsageNoMaps : CliText::UsageOneMap;
    return UsageError{text, command.name, std::string()};
  }
  return std::nullopt;
}

std::string HelpText(int language, const char* version) {
  std::string text = CliFormat(CliText::HelpIntro, language, {version});
  for (const Command& command : kCommands) {
    std::string usage = std::string("  qvrace ") + command.name;
    if (*command.operands != '\0') usage += std::string(" ") + command.operands;
    text +=
        usage + "\n      " + (language == qv::kGerman ? command.help_german : command.help_english) + "\n";
  }
  return text + CliTr(CliText::HelpOptions, language);
}

} // namespace qvcli
