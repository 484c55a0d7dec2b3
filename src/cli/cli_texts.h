// The texts only the command line shows, in English and German. The workflows'
// own texts (status, messages) come from the engine's table in texts.h.
#pragma once

#include <initializer_list>
#include <string>

namespace qvcli {

enum class CliText {
  // Headings of a run, one per map. %s: the map.
  HeadingInstall,
  HeadingUninstall,
  // status. %s: a value.
  StatusMap,
  StatusHeader,
  StatusRace,
  StatusBaseFiles, // %s: count present, %s: count expected
  StatusBaseMissing,
  StatusStrings,
  StatusStringCount, // %s: how many
  StatusNoStringFile,
  StatusStringsCollide,
  StatusUnreadable,
  Yes,
  No,
  // check-race. %s: the folder, counts or a path.
  RaceFolder,
  RaceComplete,
  RaceMissing,
  RaceBadStrings,
  // Opening the map at the end.
  OpenFailed,
  // Wrong usage. %s: the offending word.
  UsageNoCommand,
  UsageUnknownCommand,
  UsageUnknownOption,
  UsageMissingValue,
  UsageBadLanguage,
  UsageOptionNotHere, // %s: option, %s: command
  UsageNeedsMap,
  UsageOneMap,
  UsageNoMaps,
  UsageSeeHelp,
  // --help, before and after the list of commands.
  HelpIntro,
  HelpOptions,
  kCount
};

// The text in `language` (qv::kEnglish or qv::kGerman; anything else gives English,
// because a front end that prints nothing would be useless).
const char* CliTr(CliText id, int language);

// The text with each "%s" replaced by the next of `args`, in order.
std::string CliFormat(CliText id, int language, std::initializer_list<std::string> args);

} // namespace qvcli
