#include "map_strings.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "file_system.h"
#include "manifest.h"
#include "paths.h"

namespace qv {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// Reads a file line by line; no line length limit beyond memory.
class LineReader {
public:
  explicit LineReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}
  ~LineReader() {
    if (file_ != nullptr) std::fclose(file_);
  }
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool Next(std::string* line) {
    if (file_ == nullptr) return false;
    line->clear();
    bool any = false;
    int c;
    while ((c = std::getc(file_)) != EOF) {
      any = true;
      if (c == '\n') {
        if (!line->empty() && line->back() == '\r') line->pop_back();
        return true;
      }
      line->push_back(static_cast<char>(c));
    }
    // A read error ends the file like its end does; a last line without its line end counts.
    return any;
  }

private:
  std::FILE* file_;
};

class LineWriter {
public:
  explicit LineWriter(const std::string& path)
      : file_(std::fopen(path.c_str(), "wb")), ok_(file_ != nullptr) {}
  ~LineWriter() { Close(); }
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  void Write(const std::string& line) {
    if (!ok_) return;
    ok_ = std::fwrite(line.data(), 1, line.size(), file_) == line.size() &&
          std::fwrite("\r\n", 1, 2, file_) == 2;
  }
  bool Close() {
    if (file_ != nullptr) {
      ok_ = std::fclose(file_) == 0 && ok_;
      file_ = nullptr;
    }
    return ok_;
  }

private:
  std::FILE* file_;
  bool ok_;
};

// Copies the lines of `input` to `output`, up to its first line "STRING 25" when
// `stop_at_race`. `strip_mark` drops a byte-order mark in front of the first line.
void CopyLines(const std::string& input, LineWriter* output, bool stop_at_race, bool strip_mark) {
  LineReader reader(input);
  std::string line;
  bool first = true;
  while (reader.Next(&line)) {
    if (first && strip_mark && line.compare(0, 3, kByteOrderMark) == 0) line.erase(0, 3);
    first = false;
    if (stop_at_race && line == kRaceStringsHeader) break;
    output->Write(line);
  }
}

bool WriteStrings(const std::string& program_dir, const std::string& first, bool cut_first,
                  const std::string* second) {
  std::string out_path = DiskPath(program_dir, kMergedStrings);
  LineWriter output(out_path);
  CopyLines(DiskPath(program_dir, first), &output, cut_first, false);
  if (second != nullptr) CopyLines(DiskPath(program_dir, *second), &output, false, true);
  if (output.Close()) return true;
  RemoveFile(out_path);
  return false;
}

} // namespace

bool CreateMapStrings(const std::string& program_dir, bool cut_race_strings) {
  const std::string race(kRaceStrings);
  return WriteStrings(program_dir, kInstallMapStrings, cut_race_strings, &race);
}

bool CreateOldMapStrings(const std::string& program_dir) {
  return WriteStrings(program_dir, kUninstallMapStrings, true, nullptr);
}

// ---- StringIdScanner --------------------------------------------------------------

namespace {
constexpr std::size_t kHeadLimit = 24; // "STRING " + ten digits + a little trailing space
}

void StringIdScanner::Feed(const char* data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    char c = data[i];
    if (c == '\n') {
      EndLine();
      continue;
    }
    if (head_.size() < kHeadLimit + 3) head_.push_back(c);
  }
}

void StringIdScanner::EndLine() {
  std::string line;
  line.swap(head_);
  if (at_file_start_ && line.compare(0, 3, kByteOrderMark) == 0) line.erase(0, 3);
  at_file_start_ = false;
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
    line.pop_back();
  if (line.size() > kHeadLimit || line.compare(0, 7, "STRING ") != 0 || line.size() == 7) return;
  unsigned long value = 0;
  for (std::size_t i = 7; i < line.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(line[i]))) return;
    value = value * 10 + static_cast<unsigned long>(line[i] - '0');
    if (value > 0xFFFFFFFFul) return;
  }
  ids_.push_back(static_cast<unsigned>(value));
}

const std::vector<unsigned>& StringIdScanner::Finish() {
  if (!finished_) {
    if (!head_.empty()) EndLine();
    finished_ = true;
  }
  return ids_;
}

} // namespace qv
