// Install: the map is rebuilt from its own base files, its strings merged with the
// race's, the race's files and the race's replacements for the map's script,
// triggers and object data.
#include <string>
#include <vector>

#include "archive.h"
#include "file_system.h"
#include "manifest.h"
#include "map_strings.h"
#include "paths.h"
#include "workflow_run.h"

namespace qv {
namespace {

std::vector<std::string> RaceFiles(const std::string& dir) {
  std::vector<std::string> files;
  for (const char* name : g_szMapFiles)
    files.push_back(DiskPath(dir, name));
  for (const char* name : szResources)
    files.push_back(DiskPath(dir, name));
  files.push_back(DiskPath(dir, kRaceStrings));
  return files;
}

bool AnyRaceStringId(const std::vector<unsigned>& ids) {
  for (unsigned id : ids) {
    if (id >= kFirstRaceStringId) return true;
  }
  return false;
}

// Copies the map aside as map + ".BAK", replacing an older backup only once the
// new one is complete.
bool MakeBackup(const std::string& map_path) {
  std::string work = BackupWorkPath(map_path);
  if (CopyToNewFile(map_path, work) && MoveIntoPlace(work, BackupPath(map_path))) return true;
  RemoveFile(work);
  return false;
}

} // namespace

RunOutcome InstallRace(const RunOptions& options, Report& report) {
  WorkflowRun run(options, report);
  const std::string& dir = run.program_dir();
  const std::string& map = options.map_path;
  run.Begin();

  // Everything is checked before the first byte is written.
  std::vector<std::string> race_files = RaceFiles(dir);
  std::vector<std::string> paths = race_files;
  paths.insert(paths.end(), {map, UpdateWorkPath(map), DiskPath(dir, kInstallMapStrings),
                             DiskPath(dir, szNeededFiles[2])});
  if (options.backup) paths.insert(paths.end(), {BackupPath(map), BackupWorkPath(map)});
  if (!run.PathsFit(paths) || !run.RaceFilesPresent(race_files) || !run.TakeLock()) return run.Refused();
  MapInfo info;
  if (!run.InspectMap(&info)) return run.Refused();
  // A map without the race whose own strings reach into the race's numbers would
  // get two strings of one number, and a later uninstall would cut its own off.
  if (!info.race_installed && AnyRaceStringId(info.string_ids)) return run.Refuse(Text::MsgStringIdsCollide);

  if (options.backup && !MakeBackup(map)) return run.Refuse(Text::MsgBackupFailed);

  // Extraction of the base files and the string file.
  run.StartPhase(static_cast<int>(kBaseFileCount));
  for (std::size_t i = 0; i < kBaseFileCount; ++i) {
    run.SetAction(Text::StatusCopy);
    std::string target = DiskPath(dir, i == kStringFileIndex ? kInstallMapStrings : szNeededFiles[i]);
    run.SetSubject(target);
    run.AddWorkFile(target);
    CopyResult copied = info.base_files[i] ? run.reader().CopyOut(map, szNeededFiles[i], target)
                                           : (RemoveFile(target), CopyResult::NotInMap);
    if (copied == CopyResult::MapUnreadable) return run.Refuse(Text::MsgNotRead);
    if (copied == CopyResult::WriteFailed) return run.Refuse(Text::MsgNotExtracted);
    if (i == kStringFileIndex) {
      run.AddWorkFile(DiskPath(dir, kMergedStrings));
      // A map that already holds the race keeps only its own strings before the merge.
      if (!CreateMapStrings(dir, info.race_installed)) return run.Refuse(Text::MsgNotExtracted);
    }
    run.Step();
  }

  MpqHandle archive = MpqOpenArchiveForUpdate(map.c_str(), MOAU_CREATE_NEW | MOAU_CREATE_ALWAYS, 2048);
  if (archive == nullptr) return run.Refuse(Text::MsgNotCreated);

  // Base import: the range of the extraction stays.
  run.StartPhase(static_cast<int>(kBaseFileCount), false);
  for (std::size_t i = 0; i < kBaseFileCount; ++i) {
    run.SetAction(Text::StatusTransfering);
    std::string source = DiskPath(dir, szNeededFiles[i]);
    // The merged string file always goes in; a base file the map lacked stays out.
    if (i == kStringFileIndex || info.base_files[i]) {
      bool added = MpqAddFileToArchive(archive, source.c_str(), szNeededFiles[i], MAFA_COMPRESS);
      if (i == kStringFileIndex) RemoveFile(DiskPath(dir, kInstallMapStrings));
      RemoveFile(source);
      if (!added) run.ShowError(Text::MsgNotImported);
    }
    run.Step();
  }

  run.StartPhase(static_cast<int>(kMapFileCount));
  for (const char* name : g_szMapFiles) {
    std::string source = DiskPath(dir, name);
    run.SetAction(Text::StatusTransfering);
    run.SetSubject(source);
    if (!MpqAddFileToArchive(archive, source.c_str(), name, MAFA_COMPRESS))
      run.ShowError(Text::MsgNotImported);
    run.Step();
  }

  run.StartPhase(static_cast<int>(kResourceCount));
  for (const char* name : szResources) {
    std::string source = DiskPath(dir, name);
    run.SetAction(Text::StatusTransfering);
    if (!MpqAddFileToArchive(archive, source.c_str(), name, MAFA_COMPRESS))
      run.ShowError(Text::MsgNotImported);
    run.Step();
  }

  return run.Finish(archive);
}

} // namespace qv
