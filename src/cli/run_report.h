// What the two ways of reporting a run (for people, for scripts) have in common.
#pragma once

#include <cstdio>
#include <string>

#include "cli_texts.h"
#include "open_map.h"
#include "report.h"

namespace qvcli {

class RunReport : public qv::Report {
public:
  RunReport(int language, bool open_maps) : language_(language), open_maps_(open_maps) {}

  // Around each map of a call; `heading` names the map for people.
  virtual void BeginMap(const std::string& heading) = 0;
  virtual void EndMap() = 0;

protected:
  int language() const { return language_; }

  // The workflow asks for the map to be opened; with --open we really do.
  void OpenIfAsked(const std::string& map_path) {
    if (!open_maps_ || OpenWithAssociatedProgram(map_path)) return;
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", CliFormat(CliText::OpenFailed, language_, {map_path}).c_str());
  }

private:
  int language_;
  bool open_maps_;
};

} // namespace qvcli
