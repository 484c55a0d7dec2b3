// Uninstall: the map is rebuilt from its own base files, its own strings (the
// string file cut before the race's) and the plain melee script and triggers that
// lie in the "Temp\" folder.
#include <string>
#include <vector>

#include "archive.h"
#include "file_system.h"
#include "manifest.h"
#include "map_strings.h"
#include "paths.h"
#include "workflow_run.h"

namespace qv {

RunOutcome UninstallRace(const RunOptions& options, Report& report) {
  WorkflowRun run(options, report);
  const std::string& dir = run.program_dir();
  const std::string& map = options.map_path;
  run.Begin();

  const std::vector<std::string> temp_files = {TempFolderPath(dir, szNeededFiles[11]),
                                               TempFolderPath(dir, szNeededFiles[12])};
  std::vector<std::string> paths = temp_files;
  paths.insert(paths.end(), {map, UpdateWorkPath(map), DiskPath(dir, kUninstallMapStrings),
                             DiskPath(dir, szNeededFiles[2])});
  if (!run.PathsFit(paths) || !run.RaceFilesPresent(temp_files) || !run.TakeLock()) return run.Refused();
  MapInfo info;
  if (!run.InspectMap(&info)) return run.Refused();
  // Without the race, the rebuild would only throw away the map's own script and data.
  if (!info.race_installed) return run.Refuse(Text::MsgRaceNotInstalled);

  run.StartPhase(static_cast<int>(kBaseFileCount));
  for (std::size_t i = 0; i < kBaseFileCount; ++i) {
    run.SetAction(Text::StatusCopy);
    run.SetSubject(szNeededFiles[i]);
    bool strings = i == kStringFileIndex;
    std::string target = DiskPath(dir, strings ? kUninstallMapStrings : szNeededFiles[i]);
    if (!strings) run.AddWorkFile(target);
    CopyResult copied = info.base_files[i] ? run.reader().CopyOut(map, szNeededFiles[i], target)
                                           : (RemoveFile(target), CopyResult::NotInMap);
    if (copied == CopyResult::MapUnreadable) return run.Refuse(Text::MsgNotRead);
    if (copied == CopyResult::WriteFailed) return run.Refuse(Text::MsgNotExtracted);
    // The map's own strings are cut out now, so that a failure stops the run
    // before the map is touched.
    if (strings && info.base_files[i]) {
      run.AddWorkFile(DiskPath(dir, kMergedStrings));
      if (!CreateOldMapStrings(dir)) return run.Refuse(Text::MsgNotExtracted);
    }
    run.Step();
  }

  MpqHandle archive = MpqOpenArchiveForUpdate(map.c_str(), MOAU_CREATE_NEW | MOAU_CREATE_ALWAYS, 2048);
  if (archive == nullptr) {
    // The run ends here: the status and the progress bar stay as they are.
    run.ShowError(Text::MsgNotCreated);
    run.Cleanup();
    return RunOutcome::Refused;
  }

  // The archive is new and empty, so these find nothing; they keep a map clean
  // should an archive ever be updated in place.
  run.StartPhase(static_cast<int>(kMapFileCount));
  for (const char* name : g_szMapFiles) {
    run.SetAction(Text::StatusDelete);
    run.SetSubject(name);
    MpqDeleteFile(archive, name);
    run.Step();
  }
  run.StartPhase(static_cast<int>(kResourceCount));
  for (const char* name : szResources) {
    run.SetAction(Text::StatusDelete);
    MpqDeleteFile(archive, name);
    run.Step();
  }

  run.StartPhase(static_cast<int>(kNeededFileCount));
  for (std::size_t i = 0; i < kNeededFileCount; ++i) {
    run.SetAction(Text::StatusTransfering);
    bool from_map = i < kBaseFileCount;
    // A base file the map lacked stays out of the rebuilt map as well.
    if (!from_map || info.base_files[i]) {
      std::string source = from_map ? DiskPath(dir, szNeededFiles[i]) : TempFolderPath(dir, szNeededFiles[i]);
      bool added = MpqAddFileToArchive(archive, source.c_str(), szNeededFiles[i], MAFA_COMPRESS);
      if (from_map) RemoveFile(source);
      if (!added) run.ShowError(Text::MsgNotDeleted);
    }
    run.Step();
  }

  return run.Finish(archive);
}

} // namespace qv
