#include "cli_texts.h"

#include <cstddef>

#include "texts.h"

namespace qvcli {
namespace {

struct Entry {
  CliText id;
  const char* english;
  const char* german;
};

constexpr Entry kTexts[] = {
    {CliText::HeadingInstall, "Installing the race into %s", "Installiere die Rasse in %s"},
    {CliText::HeadingUninstall, "Removing the race from %s", "Entferne die Rasse aus %s"},
    {CliText::StatusMap, "Map:            %s", "Map:               %s"},
    {CliText::StatusHeader, "HM3W header:    %s", "HM3W-Header:       %s"},
    {CliText::StatusRace, "Race installed: %s", "Rasse installiert: %s"},
    {CliText::StatusBaseFiles, "Base files:     %s of %s", "Basisdateien:      %s von %s"},
    {CliText::StatusBaseMissing, "  missing:      %s", "  fehlen:          %s"},
    {CliText::StatusStrings, "String ids:     %s", "String-Nummern:    %s"},
    {CliText::StatusStringCount, "(%s strings)", "(%s Strings)"},
    {CliText::StatusNoStringFile, "none (no war3map.wts)", "keine (keine war3map.wts)"},
    {CliText::StatusStringsCollide, "  ids from 25 on are in use: an install would be refused",
     "  Nummern ab 25 sind belegt: eine Installation würde abgelehnt"},
    {CliText::StatusUnreadable, "%s: not a readable map archive", "%s: kein lesbares Map-Archiv"},
    {CliText::Yes, "yes", "ja"},
    {CliText::No, "no", "nein"},
    {CliText::RaceFolder, "Race folder: %s", "Ordner der Rasse: %s"},
    {CliText::RaceComplete, "All %s files of the race are there.", "Alle %s Dateien der Rasse sind da."},
    {CliText::RaceMissing, "%s of %s files are missing:", "%s von %s Dateien fehlen:"},
    {CliText::RaceBadStrings, "%s does not begin with the line \"STRING 25\".",
     "%s beginnt nicht mit der Zeile \"STRING 25\"."},
    {CliText::OpenFailed, "The map could not be opened: %s", "Die Map konnte nicht geöffnet werden: %s"},
    {CliText::UsageNoCommand, "no command given", "kein Befehl angegeben"},
    {CliText::UsageUnknownCommand, "unknown command: %s", "unbekannter Befehl: %s"},
    {CliText::UsageUnknownOption, "unknown option: %s", "unbekannte Option: %s"},
    {CliText::UsageMissingValue, "%s needs a value", "%s braucht einen Wert"},
    {CliText::UsageBadLanguage, "--lang takes en or de, not %s", "--lang nimmt en oder de, nicht %s"},
    {CliText::UsageOptionNotHere, "%s does not apply to %s", "%s passt nicht zu %s"},
    {CliText::UsageNeedsMap, "%s needs a map", "%s braucht eine Map"},
    {CliText::UsageOneMap, "%s takes one map", "%s nimmt eine Map"},
    {CliText::UsageNoMaps, "%s takes no map", "%s nimmt keine Map"},
    {CliText::UsageSeeHelp, "Try 'qvrace --help'.", "Siehe 'qvrace --help'."},
    {CliText::HelpIntro,
     "qvrace %s: puts a custom race into a Warcraft III map (.w3x) and takes it\n"
     "out again.\n"
     "\n"
     "Usage: qvrace COMMAND [OPTIONS] [MAP...]\n"
     "\n"
     "Commands:\n",
     "qvrace %s: fügt einer Warcraft-III-Map (.w3x) eine eigene Rasse hinzu und\n"
     "entfernt sie wieder.\n"
     "\n"
     "Aufruf: qvrace BEFEHL [OPTIONEN] [MAP...]\n"
     "\n"
     "Befehle:\n"},
    {CliText::HelpOptions,
     "\n"
     "Options:\n"
     "  --backup       install: copy each map to MAP.BAK first\n"
     "  --lang en|de   language of every text (default en)\n"
     "  --race DIR     take the race from DIR instead of the program's folder\n"
     "  --open         open each finished map with the program the system associates\n"
     "                 with it (xdg-open / the Windows shell)\n"
     "  --events       print one JSON object per line for each thing the workflow\n"
     "                 reports, and nothing else, on standard output\n"
     "  --help         show this text\n"
     "  --version      show the version\n"
     "\n"
     "On a terminal the progress line is rewritten in place; otherwise one line is\n"
     "printed per finished phase. Messages appear as \"Title: text\", errors on\n"
     "standard error.\n"
     "\n"
     "Exit status:\n"
     "  0   finished without an error message (status: map read; check-race: complete)\n"
     "  1   finished, but an error message was shown (a file could not be added);\n"
     "      status: a map could not be read; check-race: files are missing\n"
     "  2   refused: the map was left unchanged\n"
     "  64  wrong usage\n"
     "  With several maps the worst status counts.\n",
     "\n"
     "Optionen:\n"
     "  --backup       install: jede Map zuerst nach MAP.BAK kopieren\n"
     "  --lang en|de   Sprache aller Texte (Vorgabe en)\n"
     "  --race DIR     die Rasse aus DIR nehmen statt aus dem Ordner des Programms\n"
     "  --open         jede fertige Map mit dem Programm öffnen, das das System dafür\n"
     "                 vorsieht (xdg-open / die Windows-Shell)\n"
     "  --events       auf der Standardausgabe nur ein JSON-Objekt je Zeile für alles,\n"
     "                 was der Ablauf meldet\n"
     "  --help         diesen Text zeigen\n"
     "  --version      die Version zeigen\n"
     "\n"
     "Im Terminal wird die Fortschrittszeile an ihrem Platz neu geschrieben, sonst\n"
     "erscheint je beendeter Phase eine Zeile. Meldungen erscheinen als \"Titel: Text\",\n"
     "Fehler auf der Standardfehlerausgabe.\n"
     "\n"
     "Rückgabewert:\n"
     "  0   fertig ohne Fehlermeldung (status: Map gelesen; check-race: vollständig)\n"
     "  1   fertig, aber eine Fehlermeldung erschien (eine Datei konnte nicht\n"
     "      hinzugefügt werden); status: eine Map war nicht lesbar;\n"
     "      check-race: Dateien fehlen\n"
     "  2   abgelehnt: die Map blieb unverändert\n"
     "  64  falscher Aufruf\n"
     "  Bei mehreren Maps zählt der schlechteste Wert.\n"},
};

static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == static_cast<std::size_t>(CliText::kCount),
              "every text needs its entry");

constexpr bool InOrder() {
  for (std::size_t i = 0; i < sizeof(kTexts) / sizeof(kTexts[0]); ++i) {
    if (static_cast<std::size_t>(kTexts[i].id) != i) return false;
  }
  return true;
}
static_assert(InOrder(), "the table follows the order of the CliText enum");

} // namespace

const char* CliTr(CliText id, int language) {
  const Entry& entry = kTexts[static_cast<std::size_t>(id)];
  return language == qv::kGerman ? entry.german : entry.english;
}

std::string CliFormat(CliText id, int language, std::initializer_list<std::string> args) {
  std::string result;
  const std::string text = CliTr(id, language);
  auto arg = args.begin();
  std::string::size_type from = 0;
  for (;;) {
    std::string::size_type at = text.find("%s", from);
    if (at == std::string::npos || arg == args.end()) break;
    result.append(text, from, at - from);
    result += *arg++;
    from = at + 2;
  }
  result.append(text, from, std::string::npos);
  return result;
}

} // namespace qvcli
