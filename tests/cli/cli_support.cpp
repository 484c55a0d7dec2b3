#include "cli_support.h"

#include <StormLib.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "manifest.h"

namespace fs = std::filesystem;

namespace clitest {
namespace {

std::string ShellQuoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

void AppendUtf8(unsigned code, std::string* out) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | (code >> 6));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xE0 | (code >> 12));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

class JsonReader {
public:
  explicit JsonReader(const std::string& text) : t_(text) {}

  std::optional<JsonFields> Object() {
    JsonFields fields;
    if (!Eat('{')) return std::nullopt;
    if (!Eat('}')) {
      do {
        std::optional<std::string> key = String();
        if (!key || !Eat(':')) return std::nullopt;
        std::optional<std::string> value = Value();
        if (!value || fields.count(*key) != 0) return std::nullopt;
        fields[*key] = *value;
      } while (Eat(','));
      if (!Eat('}')) return std::nullopt;
    }
    if (i_ != t_.size()) return std::nullopt;
    return fields;
  }

private:
  bool Eat(char c) {
    if (i_ < t_.size() && t_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }

  std::optional<std::string> String() {
    if (!Eat('"')) return std::nullopt;
    std::string s;
    while (i_ < t_.size() && t_[i_] != '"') {
      unsigned char c = static_cast<unsigned char>(t_[i_++]);
      if (c < 0x20) return std::nullopt; // raw control characters are not allowed
      if (c != '\\') {
        s += static_cast<char>(c);
        continue;
      }
      if (i_ >= t_.size()) return std::nullopt;
      char e = t_[i_++];
      const std::string simple = "\"\\/bfnrt";
      const std::string meant = "\"\\/\b\f\n\r\t";
      if (simple.find(e) != std::string::npos) {
        s += meant[simple.find(e)];
      } else if (e == 'u' && i_ + 4 <= t_.size()) {
        AppendUtf8(static_cast<unsigned>(std::stoul(t_.substr(i_, 4), nullptr, 16)), &s);
        i_ += 4;
      } else {
        return std::nullopt;
      }
    }
    if (!Eat('"')) return std::nullopt;
    return s;
  }

  std::optional<std::string> Value() {
    if (i_ < t_.size() && t_[i_] == '"') return String();
    // Numbers, true, false and arrays are kept as written.
    std::size_t start = i_;
    int depth = 0;
    while (i_ < t_.size()) {
      char c = t_[i_];
      if (c == '"') {
        if (!String()) return std::nullopt;
        continue;
      }
      if (c == '[') ++depth;
      if (c == ']') --depth;
      if (depth == 0 && (c == ',' || c == '}')) break;
      ++i_;
    }
    if (i_ == start || depth != 0) return std::nullopt;
    return t_.substr(start, i_ - start);
  }

  const std::string& t_;
  std::size_t i_ = 0;
};

} // namespace

std::vector<std::string> Result::OutLines() const {
  return Lines(out);
}
std::vector<std::string> Result::ErrLines() const {
  return Lines(err);
}

Result RunQvrace(const std::vector<std::string>& args) {
  TempDir capture;
  std::string command = ShellQuoted(QV_QVRACE);
  for (const std::string& arg : args)
    command += " " + ShellQuoted(arg);
  command += " >" + ShellQuoted(capture.path() + "out") + " 2>" + ShellQuoted(capture.path() + "err") +
             " </dev/null";
  Result result;
  int status = std::system(command.c_str());
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadFile(capture.path() + "out");
  result.err = ReadFile(capture.path() + "err");
  return result;
}

Result RunQvraceInTerminal(const std::vector<std::string>& args) {
  std::vector<std::string> words = {QV_QVRACE};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(&word[0]);
  argv.push_back(nullptr);

  int master = -1;
  struct winsize size {};
  size.ws_col = 100;
  size.ws_row = 30;
  pid_t pid = forkpty(&master, nullptr, nullptr, &size);
  if (pid < 0) throw std::runtime_error("forkpty failed");
  if (pid == 0) {
    execv(argv[0], argv.data());
    _exit(127);
  }
  Result result;
  char buffer[4096];
  for (;;) {
    ssize_t n = read(master, buffer, sizeof(buffer));
    if (n <= 0) break; // EIO once the child has closed the terminal
    result.out.append(buffer, static_cast<std::size_t>(n));
  }
  close(master);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

void WriteRace(const std::string& dir) {
  for (const char* name : qv::g_szMapFiles)
    WriteFile(RacePath(dir, name), std::string("race file ") + name);
  for (const char* name : qv::szResources)
    WriteFile(RacePath(dir, name), std::string("resource ") + name);
  WriteFile(RacePath(dir, qv::kRaceStrings), kRaceStrings);
  WriteFile(RacePath(dir, "Temp\\war3map.j"), "// the plain melee script\r\n");
  WriteFile(RacePath(dir, "Temp\\war3map.wtg"), "WTG!plain triggers");
}

std::string CopyMap(const std::string& name, const std::string& dir, const std::string& as) {
  std::string target = dir + as;
  fs::copy_file(std::string(QV_SHARED_MAPS) + "/" + name, target, fs::copy_options::overwrite_existing);
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
  return target;
}

std::optional<JsonFields> ParseJsonLine(const std::string& line) {
  return JsonReader(line).Object();
}

std::optional<std::string> ReadArchiveFile(const std::string& map, const std::string& name) {
  HANDLE archive = nullptr;
  if (!SFileOpenArchive(map.c_str(), 0, MPQ_OPEN_FORCE_MPQ_V1 | MPQ_OPEN_READ_ONLY, &archive)) {
    throw std::runtime_error("StormLib cannot open " + map);
  }
  std::optional<std::string> bytes;
  HANDLE file = nullptr;
  if (SFileOpenFileEx(archive, name.c_str(), SFILE_OPEN_FROM_MPQ, &file)) {
    DWORD size = SFileGetFileSize(file, nullptr);
    std::string data(size, '\0');
    DWORD read = 0;
    if (size > 0) SFileReadFile(file, &data[0], size, &read, nullptr);
    if (read == size) bytes = data;
    SFileCloseFile(file);
  }
  SFileCloseArchive(archive);
  return bytes;
}

} // namespace clitest
