// The calls a workflow makes on its report, in order, as the main window shows them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "manifest.h"
#include "texts.h"

namespace qvtest {

inline void Add(std::vector<std::string>& e, const std::string& line) {
  e.push_back(line);
}

inline void AddAction(std::vector<std::string>& e, int language, const char* english, const char* german) {
  if (language == 1) e.push_back(std::string("status 0 ") + english);
  if (language == 2) e.push_back(std::string("status 0 ") + german);
}

inline void AddEnd(std::vector<std::string>& e, int language, const std::string& map, bool notice = true) {
  if (notice && language == 1) {
    e.push_back(std::string("message Error!|") + qv::Tr(qv::Text::MsgNotice, 1) + "|!");
  }
  if (notice && language == 2) {
    e.push_back(std::string("message Fehler!|") + qv::Tr(qv::Text::MsgNotice, 2) + "|!");
  }
  if (notice) e.push_back("launch " + map);
  AddAction(e, language, "Ready.", "Bereit.");
  if (language == 1) e.push_back("status 1 Unknown");
  if (language == 2) e.push_back("status 1 Unbekannt");
  e.push_back("progress hide");
}

// `disk` turns an archive name into its disk path below the program directory.
template <typename DiskPath>
std::vector<std::string> ExpectedInstall(int language, const std::string& map, DiskPath disk) {
  std::vector<std::string> e = {"buttons off", "progress show", "range 11", "pos 0"};
  for (std::size_t i = 0; i < 11; ++i) {
    AddAction(e, language, "Copy.", "Kopieren.");
    e.push_back("status 1 " + disk(i == 10 ? "war3map_1.wts" : qv::szNeededFiles[i]));
    e.push_back("step");
  }
  e.push_back("pos 0");
  for (std::size_t i = 0; i < 11; ++i) {
    AddAction(e, language, "Transfering.", "Übertragung.");
    e.push_back("step");
  }
  e.insert(e.end(), {"range 123", "pos 0"});
  for (const char* name : qv::g_szMapFiles) {
    AddAction(e, language, "Transfering.", "Übertragung.");
    e.push_back("status 1 " + disk(name));
    e.push_back("step");
  }
  e.insert(e.end(), {"range 12", "pos 0"});
  for (std::size_t i = 0; i < 12; ++i) {
    AddAction(e, language, "Transfering.", "Übertragung.");
    e.push_back("step");
  }
  AddEnd(e, language, map);
  return e;
}

inline std::vector<std::string> ExpectedUninstall(int language, const std::string& map) {
  std::vector<std::string> e = {"buttons off", "progress show", "range 11", "pos 0"};
  for (std::size_t i = 0; i < 11; ++i) {
    AddAction(e, language, "Copy.", "Kopieren.");
    e.push_back(std::string("status 1 ") + qv::szNeededFiles[i]);
    e.push_back("step");
  }
  e.insert(e.end(), {"range 123", "pos 0"});
  for (const char* name : qv::g_szMapFiles) {
    AddAction(e, language, "Delete.", "Löschen.");
    e.push_back(std::string("status 1 ") + name);
    e.push_back("step");
  }
  e.insert(e.end(), {"range 12", "pos 0"});
  for (std::size_t i = 0; i < 12; ++i) {
    AddAction(e, language, "Delete.", "Löschen.");
    e.push_back("step");
  }
  e.insert(e.end(), {"range 13", "pos 0"});
  for (std::size_t i = 0; i < 13; ++i) {
    AddAction(e, language, "Transfering.", "Übertragung.");
    e.push_back("step");
  }
  AddEnd(e, language, map);
  return e;
}

// A run refused with one message before the map was touched.
inline std::vector<std::string> ExpectedRefusal(int language, const std::string& message) {
  std::vector<std::string> e = {"buttons off", "progress show"};
  if (language == 1) e.push_back("message Error!|" + message + "|!");
  if (language == 2) e.push_back("message Fehler!|" + message + "|!");
  AddEnd(e, language, "", false);
  return e;
}

} // namespace qvtest
