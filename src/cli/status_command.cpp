#include "status_command.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "exit_status.h"
#include "json.h"
#include "manifest.h"
#include "reader_choice.h"

namespace qvcli {
namespace {

struct IdRange {
  unsigned first;
  unsigned last;
};

// A melee map numbers its strings 1..n, a big custom map has thousands: ranges of
// consecutive ids keep either readable.
std::vector<IdRange> Ranges(std::vector<unsigned> ids) {
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  std::vector<IdRange> ranges;
  for (unsigned id : ids) {
    if (!ranges.empty() && ranges.back().last + 1 == id) {
      ranges.back().last = id;
    } else {
      ranges.push_back({id, id});
    }
  }
  return ranges;
}

std::string RangesText(const std::vector<IdRange>& ranges) {
  std::string text;
  for (const IdRange& range : ranges) {
    if (!text.empty()) text += ", ";
    text += std::to_string(range.first);
    if (range.last != range.first) text += "-" + std::to_string(range.last);
  }
  return text;
}

bool UsesRaceIds(const std::vector<unsigned>& ids) {
  return std::any_of(ids.begin(), ids.end(), [](unsigned id) { return id >= qv::kFirstRaceStringId; });
}

void PrintForPeople(const std::string& map, const qv::MapInfo& info, int lang) {
  const auto yes_no = [lang](bool value) { return CliTr(value ? CliText::Yes : CliText::No, lang); };
  std::vector<std::string> missing;
  for (std::size_t i = 0; i < qv::kBaseFileCount; ++i) {
    if (!info.base_files[i]) missing.push_back(qv::szNeededFiles[i]);
  }
  std::vector<std::string> lines = {
      CliFormat(CliText::StatusMap, lang, {map}),
      CliFormat(CliText::StatusHeader, lang, {yes_no(info.hm3w_header)}),
      CliFormat(CliText::StatusRace, lang, {yes_no(info.race_installed)}),
      CliFormat(CliText::StatusBaseFiles, lang,
                {std::to_string(qv::kBaseFileCount - missing.size()), std::to_string(qv::kBaseFileCount)}),
  };
  if (!missing.empty()) {
    std::string names;
    for (const std::string& name : missing)
      names += (names.empty() ? "" : ", ") + name;
    lines.push_back(CliFormat(CliText::StatusBaseMissing, lang, {names}));
  }
  std::string strings;
  if (!info.base_files[qv::kStringFileIndex]) {
    strings = CliTr(CliText::StatusNoStringFile, lang);
  } else {
    strings = RangesText(Ranges(info.string_ids));
    if (!strings.empty()) strings += " ";
    strings += CliFormat(CliText::StatusStringCount, lang, {std::to_string(info.string_ids.size())});
  }
  lines.push_back(CliFormat(CliText::StatusStrings, lang, {strings}));
  // The same check the install makes, told before anyone tries.
  if (!info.race_installed && UsesRaceIds(info.string_ids))
    lines.push_back(CliTr(CliText::StatusStringsCollide, lang));
  for (const std::string& line : lines)
    std::printf("%s\n", line.c_str());
}

std::string AsJson(const std::string& map, const qv::MapInfo& info) {
  std::vector<std::string> present;
  std::vector<std::string> missing;
  for (std::size_t i = 0; i < qv::kBaseFileCount; ++i) {
    (info.base_files[i] ? present : missing).push_back(qv::szNeededFiles[i]);
  }
  std::string ranges = "[";
  for (const IdRange& range : Ranges(info.string_ids)) {
    if (ranges.size() > 1) ranges += ',';
    ranges += "[" + std::to_string(range.first) + "," + std::to_string(range.last) + "]";
  }
  ranges += "]";
  return JsonObject()
      .Add("map", map)
      .Add("readable", true)
      .Add("hm3w_header", info.hm3w_header)
      .Add("race_installed", info.race_installed)
      .Add("base_files", present)
      .Add("missing_base_files", missing)
      .Add("string_file", static_cast<bool>(info.base_files[qv::kStringFileIndex]))
      .Add("string_count", static_cast<long long>(info.string_ids.size()))
      .AddRaw("string_ids", ranges)
      .str();
}

} // namespace

int ShowStatus(const CommandLine& line) {
  int status = kExitOk;
  bool first = true;
  for (const std::string& map : line.maps) {
    if (!line.events && !first) std::printf("\n");
    first = false;
    qv::MapInfo info;
    if (!ChosenMapReader().Inspect(map, &info)) {
      status = kExitWithErrors;
      if (line.events) {
        std::printf("%s\n", JsonObject().Add("map", map).Add("readable", false).str().c_str());
      } else {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", CliFormat(CliText::StatusUnreadable, line.language, {map}).c_str());
      }
      continue;
    }
    if (line.events) {
      std::printf("%s\n", AsJson(map, info).c_str());
    } else {
      PrintForPeople(map, info, line.language);
    }
  }
  std::fflush(stdout);
  return status;
}

} // namespace qvcli
