#include "test_support.h"

#include <StormLib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "manifest.h"

namespace fs = std::filesystem;

namespace qvtest {

void RecordingReport::SetStatus(int part, const std::string& text) {
  events.push_back("status " + std::to_string(part) + " " + text);
}
void RecordingReport::EnableButtons(bool enabled) {
  events.push_back(enabled ? "buttons on" : "buttons off");
}
void RecordingReport::ShowProgress(bool visible) {
  events.push_back(visible ? "progress show" : "progress hide");
}
void RecordingReport::SetProgressRange(int max) {
  events.push_back("range " + std::to_string(max));
}
void RecordingReport::SetProgressPos(int pos) {
  events.push_back("pos " + std::to_string(pos));
}
void RecordingReport::StepProgress() {
  events.push_back("step");
}
void RecordingReport::ShowMessage(const std::string& text, const std::string& title, qv::MessageIcon icon) {
  events.push_back("message " + title + "|" + text + "|" +
                   (icon == qv::MessageIcon::Exclamation ? "!" : "i"));
}
void RecordingReport::LaunchMap(const std::string& map_path) {
  ++launches;
  events.push_back("launch " + map_path);
}

std::vector<std::string> RecordingReport::Messages() const {
  std::vector<std::string> messages;
  for (const std::string& e : events) {
    if (e.rfind("message ", 0) == 0) messages.push_back(e.substr(8));
  }
  return messages;
}

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "qvtest-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = std::string(buffer.data()) + "/";
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Tests may leave folders read-only; make them writable again before removing.
  for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
       it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(path_, ignored);
}

std::string RacePath(const std::string& dir, const std::string& archive_name) {
  std::string path = archive_name;
  std::replace(path.begin(), path.end(), '\\', '/');
  return dir + path;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool FileExists(const std::string& path) {
  return fs::exists(path);
}

std::vector<std::string> ListFolder(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (entry.is_regular_file()) names.push_back(fs::relative(entry.path(), dir).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void WriteRace(const std::string& dir, const std::string& race_strings) {
  int n = 0;
  auto content = [&n](const char* name) {
    return std::string("race file ") + std::to_string(++n) + " " + name;
  };
  for (const char* name : qv::g_szMapFiles)
    WriteFile(RacePath(dir, name), content(name));
  for (const char* name : qv::szResources)
    WriteFile(RacePath(dir, name), content(name));
  WriteFile(dir + "war3map_2.wts", race_strings);
  WriteFile(dir + "Temp/war3map.j",
            "// melee script\r\nfunction main takes nothing returns nothing\r\nendfunction\r\n");
  WriteFile(dir + "Temp/war3map.wtg", std::string("WTG!\x07\0\0\0", 8));
}

std::string SharedMap(const std::string& name) {
  return std::string(QV_SHARED_DIR) + "/maps/" + name;
}

std::vector<std::string> SharedMapNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(std::string(QV_SHARED_DIR) + "/maps")) {
    if (entry.path().extension() == ".w3x") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string CopyMap(const std::string& name, const std::string& dir) {
  std::string target = dir + name;
  fs::copy_file(SharedMap(name), target, fs::copy_options::overwrite_existing);
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
  return target;
}

std::optional<std::string> ReadArchiveFile(const std::string& map, const std::string& name) {
  HANDLE archive = nullptr;
  if (!SFileOpenArchive(map.c_str(), 0, MPQ_OPEN_FORCE_MPQ_V1 | MPQ_OPEN_READ_ONLY, &archive)) {
    return std::nullopt;
  }
  std::optional<std::string> result;
  HANDLE file = nullptr;
  if (SFileOpenFileEx(archive, name.c_str(), 0, &file)) {
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    for (;;) {
      bool ok = SFileReadFile(file, buffer, sizeof(buffer), &got, nullptr);
      bytes.append(buffer, got);
      if (!ok || got == 0) break;
    }
    result = bytes;
    SFileCloseFile(file);
  }
  SFileCloseArchive(archive);
  return result;
}

std::vector<std::string> ArchiveListfile(const std::string& map) {
  std::optional<std::string> listfile = ReadArchiveFile(map, "(listfile)");
  std::vector<std::string> names;
  if (!listfile) return names;
  std::istringstream lines(*listfile);
  std::string line;
  while (std::getline(lines, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ';'))
      line.pop_back();
    if (!line.empty()) names.push_back(line);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void MakeArchive(const std::string& path, const std::vector<std::pair<std::string, std::string>>& files,
                 const std::string& header) {
  std::string archive_path = header.empty() ? path : path + ".archive";
  fs::remove(archive_path);
  HANDLE archive = nullptr;
  if (!SFileCreateArchive(archive_path.c_str(), MPQ_CREATE_LISTFILE | MPQ_CREATE_ARCHIVE_V1, 64, &archive)) {
    throw std::runtime_error("cannot create " + archive_path);
  }
  for (const auto& [name, bytes] : files) {
    HANDLE file = nullptr;
    if (!SFileCreateFile(archive, name.c_str(), 0, static_cast<DWORD>(bytes.size()), 0, MPQ_FILE_COMPRESS,
                         &file) ||
        (!bytes.empty() &&
         !SFileWriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), MPQ_COMPRESSION_ZLIB)) ||
        !SFileFinishFile(file)) {
      throw std::runtime_error("cannot add " + name);
    }
  }
  SFileCloseArchive(archive);
  if (!header.empty()) {
    WriteFile(path, header + ReadFile(archive_path));
    fs::remove(archive_path);
  }
}

} // namespace qvtest
