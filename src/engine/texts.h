// Every text the person sees, in English and German, in one table.
//
// A text is chosen by the language in force at the moment it is shown: 1 gives
// English, 2 German, and any other value no text at all (the caller then shows
// nothing, while the rest of its work still happens).
#pragma once

#include <string>

namespace qv {

constexpr int kEnglish = 1;
constexpr int kGerman = 2;

enum class Text {
  // Status bar during and after a workflow.
  StatusCopy,
  StatusTransfering,
  StatusDelete,
  StatusReadyEnd,
  StatusUnknownEnd,
  // Message boxes of the workflows.
  TitleError,
  MsgNotCreated,
  MsgNotImported,
  MsgNotDeleted,
  MsgNotice,
  MsgNotSaved,
  MsgNotRead,
  MsgNotExtracted,
  MsgBackupFailed,
  MsgRaceFileMissing, // %s: the missing file
  MsgStringIdsCollide,
  MsgRaceNotInstalled,
  MsgBusy,
  MsgPathTooLong, // %s: the path
  // The main window.
  StatusReady,
  StatusUnknown,
  StatusFileOpened,
  GroupInstall,
  LabelOpenMap,
  ButtonInstall,
  ButtonUninstall,
  CheckBackupStart,
  CheckBackup,
  TitleWarning,   // "Warnung!" in German, for the menu warning
  TitleBackupOff, // "Warung!" in German, for the backup warning
  MsgIconsNotLoaded,
  MsgMenuNotLoaded,
  MsgStatusbarNotCreated,
  MsgBackupOff,
  TitleAbout,
  MsgAbout,
  kCount
};

// The text in `language`, or nullptr when the language is neither 1 nor 2.
// Texts that the window shows in one language only are asked for in that language.
const char* Tr(Text id, int language);

// The text with its "%s" replaced by `arg`; empty when Tr gives nullptr.
std::string TrFormat(Text id, int language, const std::string& arg);

inline bool HasTexts(int language) {
  return language == kEnglish || language == kGerman;
}

} // namespace qv
