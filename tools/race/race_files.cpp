#include "race_files.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "art.h"
#include "imp_writer.h"
#include "jass.h"
#include "manifest.h"
#include "map_info.h"
#include "placements.h"
#include "race_data.h"
#include "small_formats.h"
#include "terrain.h"
#include "wai_writer.h"
#include "wts_writer.h"

namespace qvrace {
namespace {

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.rfind(prefix, 0) == 0;
}

std::string FileName(const std::string& archive_name) {
  const auto slash = archive_name.rfind('\\');
  return slash == std::string::npos ? archive_name : archive_name.substr(slash + 1);
}

std::string Stem(const std::string& file) {
  return file.substr(0, file.rfind('.'));
}

std::string Extension(const std::string& file) {
  const auto dot = file.rfind('.');
  return dot == std::string::npos ? "" : file.substr(dot);
}

Bytes Text(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

Bytes Picture(const std::string& archive_name) {
  const std::string stem = Stem(FileName(archive_name));
  // The longer prefixes first: "DISPASBTN" also starts like "DIS...".
  if (StartsWith(stem, "DISPASBTN"))
    return EncodeBlp1(Disabled(RenderIcon(stem.substr(9), IconFrame::kPassive)));
  if (StartsWith(stem, "DISBTN"))
    return EncodeBlp1(Disabled(RenderIcon(stem.substr(6), IconFrame::kCommand)));
  if (StartsWith(stem, "PASBTN")) return EncodeBlp1(RenderIcon(stem.substr(6), IconFrame::kPassive));
  if (StartsWith(stem, "BTN")) return EncodeBlp1(RenderIcon(stem.substr(3), IconFrame::kCommand));
  if (StartsWith(stem, "infocard-") || StartsWith(stem, "scorescreen-"))
    return EncodeBlp1(RenderIcon(stem, IconFrame::kCard));
  throw std::logic_error("no picture for " + archive_name);
}

Bytes Model(const std::string& archive_name) {
  const std::string stem = Stem(FileName(archive_name));
  const std::string portrait = "_portrait";
  if (stem.size() > portrait.size() &&
      stem.compare(stem.size() - portrait.size(), portrait.size(), portrait) == 0)
    return EncodeMdx(BuildModel(stem, ModelKind::kPortrait));
  if (stem == "SporeMissile" || stem == "Orb") return EncodeMdx(BuildModel(stem, ModelKind::kMissile));
  for (const RaceUnit& u : RaceUnits()) {
    if (stem != u.key) continue;
    const ModelKind kind = u.kind == UnitKind::kHero       ? ModelKind::kHero
                           : u.kind == UnitKind::kBuilding ? ModelKind::kBuilding
                                                           : ModelKind::kUnit;
    return EncodeMdx(BuildModel(stem, kind));
  }
  throw std::logic_error("no model for " + archive_name);
}

AiPlan PlanOf(const std::string& stem) {
  if (stem == "VerdantVale") return AiPlan::kStandard;
  if (stem == "VerdantValeRush") return AiPlan::kRush;
  if (stem == "VerdantValeTurtle") return AiPlan::kTurtle;
  throw std::logic_error("no computer player plan " + stem);
}

Bytes MapFile(const std::string& archive_name) {
  const std::string file = FileName(archive_name);
  const std::string ext = Extension(file);
  if (ext == ".blp") return Picture(archive_name);
  if (ext == ".mdx") return Model(archive_name);
  if (ext == ".ai") return Text(AiScript(PlanOf(Stem(file))));
  if (ext == ".wai") {
    const std::string stem = Stem(file);
    const AiPlan plan = PlanOf(stem);
    return EncodeWai(plan == AiPlan::kStandard ? "Verdant Vale"
                     : plan == AiPlan::kRush   ? "Verdant Vale Rush"
                                               : "Verdant Vale Turtle",
                     plan);
  }
  throw std::logic_error("no content for " + archive_name);
}

} // namespace

TriggerSet MeleeTriggers() {
  TriggerSet set;
  set.categories = {"Initialization"};
  set.triggers = {MeleeInitializationTrigger()};
  return set;
}

TriggerSet RaceTriggers() {
  TriggerSet set = MeleeTriggers();
  set.categories.push_back("Verdant Vale");
  TriggerDef race;
  race.name = "Verdant Vale";
  race.description = "Players who pick the Night Elves lead the Verdant Vale.";
  race.category = 1;
  race.custom_text = true;
  race.custom_code = RaceSetupTriggerCode();
  set.triggers.push_back(race);
  return set;
}

std::vector<GeneratedFile> RaceFiles() {
  std::vector<GeneratedFile> files;
  std::vector<std::string> imports;
  for (const char* name : qv::g_szMapFiles) {
    files.push_back({name, MapFile(name)});
    imports.push_back(name);
  }

  const RaceObjects objects = BuildRaceObjects(qv::kFirstRaceStringId);
  const TriggerSet race = RaceTriggers();
  for (const char* name : qv::szResources) {
    const std::string n = name;
    Bytes data;
    if (n == "war3map.wtg")
      data = EncodeWtg(race);
    else if (n == "war3map.wct")
      data = EncodeWct(race);
    else if (n == "war3map.j")
      data = Text(MapScript(DemoLayout(), race, "The Verdant Vale"));
    else if (n == "war3map.w3u")
      data = EncodeObjectMods(objects.units);
    else if (n == "war3map.w3t")
      data = EncodeObjectMods(objects.items);
    else if (n == "war3map.w3a")
      data = EncodeObjectMods(objects.abilities);
    else if (n == "war3map.w3h")
      data = EncodeObjectMods(objects.buffs);
    else if (n == "war3map.w3q")
      data = EncodeObjectMods(objects.upgrades);
    else if (n == "war3map.imp")
      data = EncodeImportList(imports);
    else if (n == "war3mapMisc.txt")
      data = GameConstantsText();
    else if (n == "war3map.w3s")
      data = EncodeNoSounds();
    else if (n == "war3mapPreview.tga")
      data = EncodeTga32(256, 256, RenderPreview(256, 256));
    else
      throw std::logic_error("no content for resource " + n);
    files.push_back({n, std::move(data)});
  }

  files.push_back({qv::kRaceStrings, EncodeWts(objects.strings, false)});
  const TriggerSet melee = MeleeTriggers();
  files.push_back(
      {std::string(qv::kTempFolder) + "war3map.j", Text(MapScript(DemoLayout(), melee, "Melee"))});
  files.push_back({std::string(qv::kTempFolder) + "war3map.wtg", EncodeWtg(melee)});
  return files;
}

std::vector<GeneratedFile> DemoMapFiles() {
  const MapLayout& l = DemoLayout();
  const std::vector<std::pair<unsigned, std::string>> strings = {
      {1, "Verdant Test Grove"},
      {2, "Any"},
      {3, "A small two-player melee map for trying out the QV Race Installer."},
      {4, "QV Race Installer"},
      {5, "Player 1"},
      {6, "Player 2"},
      {7, "Force 1"},
  };
  const TriggerSet melee = MeleeTriggers();
  std::vector<GeneratedFile> files;
  for (const char* name : qv::szNeededFiles) {
    const std::string n = name;
    Bytes data;
    if (n == "war3map.doo")
      data = EncodeDoodads();
    else if (n == "war3map.shd")
      data = EncodeShadows(l);
    else if (n == "war3mapUnits.doo")
      data = EncodeUnits(l);
    else if (n == "war3map.mmp")
      data = EncodeMinimapIcons(l);
    else if (n == "war3map.w3c")
      data = EncodeNoCameras();
    else if (n == "war3map.w3e")
      data = EncodeTerrain(l);
    else if (n == "war3map.w3r")
      data = EncodeNoRegions();
    else if (n == "war3map.w3i")
      data = EncodeMapInfo(l);
    else if (n == "war3map.wpm")
      data = EncodePathing(l);
    else if (n == "war3mapMap.blp")
      data = EncodeBlp1(RenderMinimap(l, 256));
    else if (n == "war3map.wts")
      data = EncodeWts(strings, true);
    else if (n == "war3map.j")
      data = Text(MapScript(l, melee, "Verdant Test Grove"));
    else if (n == "war3map.wtg")
      data = EncodeWtg(melee);
    else
      throw std::logic_error("no content for map file " + n);
    files.push_back({n, std::move(data)});
  }
  return files;
}

bool WriteFiles(const std::string& dir, const std::vector<GeneratedFile>& files, std::string* error) {
  namespace fs = std::filesystem;
  for (const GeneratedFile& f : files) {
    std::string relative = f.name;
    for (char& c : relative)
      if (c == '\\') c = '/';
    const fs::path path = fs::path(dir) / relative;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    // Write beside the target and rename, so a reader never sees half a file.
    const fs::path partial = path.string() + ".partial";
    {
      std::ofstream out(partial, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(f.data.data()), static_cast<std::streamsize>(f.data.size()));
      out.close();
      if (!out) {
        fs::remove(partial, ec);
        if (error) *error = "cannot write " + path.string();
        return false;
      }
    }
    fs::rename(partial, path, ec);
    if (ec) {
      fs::remove(partial, ec);
      if (error) *error = "cannot write " + path.string();
      return false;
    }
  }
  return true;
}

} // namespace qvrace
