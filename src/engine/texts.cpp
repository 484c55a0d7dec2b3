#include "texts.h"

#include <cstddef>

namespace qv {
namespace {

struct Entry {
  Text id;
  const char* english;
  const char* german;
};

// Kept exactly as the program has always shown them, spelling included.
constexpr Entry kTexts[] = {
    {Text::StatusCopy, "Copy.", "Kopieren."},
    {Text::StatusTransfering, "Transfering.", "Übertragung."},
    {Text::StatusDelete, "Delete.", "Löschen."},
    {Text::StatusReadyEnd, "Ready.", "Bereit."},
    {Text::StatusUnknownEnd, "Unknown", "Unbekannt"},
    {Text::TitleError, "Error!", "Fehler!"},
    {Text::MsgNotCreated, "File couldn't be created!", "Datei konnte nicht erstellt werden!"},
    {Text::MsgNotImported, "File couldn't be imported!", "Datei konnte nicht importiert werden!"},
    {Text::MsgNotDeleted, "File couldn't be deleted!", "Datei konnte nicht gelöscht werden!"},
    {Text::MsgNotice,
     "If you click the OK-Button, the WolrdEditor will start. Just save the Map. The WorldEditor must "
     "create some important files...",
     "Wenn sie den OK-Button drücken startet der WolrdEditor. Einfach die Map speichern und den Editor "
     "schließen. Beim Speichern generriert der WorldEditor noch ein paar wichtige Daten für die Map..."},
    {Text::MsgNotSaved, "File couldn't be saved!", "Datei konnte nicht gespeichert werden!"},
    {Text::MsgNotRead, "File couldn't be read!", "Datei konnte nicht gelesen werden!"},
    {Text::MsgNotExtracted, "The map's files couldn't be written to the program folder!",
     "Die Dateien der Map konnten nicht in den Programmordner geschrieben werden!"},
    {Text::MsgBackupFailed, "Backup couldn't be created!", "Backup konnte nicht erstellt werden!"},
    {Text::MsgRaceFileMissing, "A file of the race is missing: %s", "Eine Datei der Rasse fehlt: %s"},
    {Text::MsgStringIdsCollide,
     "The map already uses string numbers from 25 on, where the race's strings begin!",
     "Die Map verwendet bereits String-Nummern ab 25, wo die Strings der Rasse beginnen!"},
    {Text::MsgRaceNotInstalled, "The race is not installed in this map!",
     "Die Rasse ist in dieser Map nicht installiert!"},
    {Text::MsgBusy, "Another installation is running! Try again when it has finished.",
     "Eine andere Installation läuft gerade! Versuchen sie es erneut, wenn sie beendet ist."},
    {Text::MsgPathTooLong, "The path is too long: %s", "Der Pfad ist zu lang: %s"},
    {Text::StatusReady, "Ready.", "Bereit."},
    {Text::StatusUnknown, "unknown", "unbekannt"},
    {Text::StatusFileOpened, "File opened.", "Datei geöffnet."},
    {Text::GroupInstall, "Install race in map...", "Rasse in Map installieren..."},
    {Text::LabelOpenMap, "Open map...", "Öffne Map..."},
    {Text::ButtonInstall, "Install", "Installieren"},
    {Text::ButtonUninstall, "Uninstall", "Deinstallieren"},
    {Text::CheckBackupStart, "Create Backup?", "Backup erstellen"},
    {Text::CheckBackup, "Create Backup", "Backup erstellen"},
    {Text::TitleWarning, "Warning!", "Warnung!"},
    {Text::TitleBackupOff, "Warning!", "Warung!"},
    {Text::MsgIconsNotLoaded, "Icons couldn't be loaded!", "Icons couldn't be loaded!"},
    {Text::MsgMenuNotLoaded, "Menu couldn't be loaded!", "Menü konnte nicht geladen werden!"},
    {Text::MsgStatusbarNotCreated, "Statusbar couldn't be created!", "Statusbar couldn't be created!"},
    {Text::MsgBackupOff, "If you deactive this option, you can't get back your orginal file!",
     "Wenn die diese Option deaktivieren, können sie ihre Orginal-Datei nicht mehr herrstellen!"},
    {Text::TitleAbout, "About...", "Über..."},
    {Text::MsgAbout,
     "Q.V. Race Installer v0.4, written in C++ for Win32\r\n"
     "(c) 2026 the QV Race Installer developers. All rights reserved.\r\n"
     "\r\n"
     "MPQ archives are handled by StormLib (Ladislav Zezula).",
     "Q.V. Race Installer v0.4, geschrieben in C++ für Win32\r\n"
     "(c) 2026 die Entwickler des QV Race Installer. Alle Rechte vorbehalten.\r\n"
     "\r\n"
     "MPQ-Archive bearbeitet StormLib (Ladislav Zezula)."},
};

static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == static_cast<std::size_t>(Text::kCount),
              "every text needs its entry");

constexpr bool InOrder() {
  for (std::size_t i = 0; i < sizeof(kTexts) / sizeof(kTexts[0]); ++i) {
    if (static_cast<std::size_t>(kTexts[i].id) != i) return false;
  }
  return true;
}
static_assert(InOrder(), "the table follows the order of the Text enum");

} // namespace

const char* Tr(Text id, int language) {
  const Entry& entry = kTexts[static_cast<std::size_t>(id)];
  if (language == kEnglish) return entry.english;
  if (language == kGerman) return entry.german;
  return nullptr;
}

std::string TrFormat(Text id, int language, const std::string& arg) {
  const char* text = Tr(id, language);
  if (text == nullptr) return std::string();
  std::string result(text);
  std::string::size_type at = result.find("%s");
  if (at != std::string::npos) result.replace(at, 2, arg);
  return result;
}

} // namespace qv
