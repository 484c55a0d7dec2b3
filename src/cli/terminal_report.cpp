#include "terminal_report.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "texts.h"

namespace qvcli {
namespace {

std::size_t TerminalWidth(std::FILE* stream) {
#ifdef _WIN32
  CONSOLE_SCREEN_BUFFER_INFO info;
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  if (GetConsoleScreenBufferInfo(handle, &info)) {
    return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
  }
#else
  struct winsize size {};
  if (ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
#endif
  return 80;
}

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Columns a UTF-8 text takes, counting one per character (the texts we show have
// no wide characters).
std::size_t Columns(const std::string& text) {
  std::size_t columns = 0;
  for (char c : text)
    columns += IsContinuationByte(c) ? 0 : 1;
  return columns;
}

// The text cut to `columns`, keeping its end: of a long path, the file name matters.
std::string KeepEnd(const std::string& text, std::size_t columns) {
  if (Columns(text) <= columns) return text;
  if (columns <= 3) return std::string();
  std::size_t start = text.size();
  std::size_t kept = 0;
  while (start > 0 && kept < columns - 3) {
    --start;
    if (!IsContinuationByte(text[start])) ++kept;
  }
  return "..." + text.substr(start);
}

} // namespace

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
  return _isatty(_fileno(stream)) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

TerminalReport::TerminalReport(std::FILE* out, std::FILE* err, bool live, int language, bool open_maps)
    : RunReport(language, open_maps), out_(out), err_(err), live_(live),
      width_(live ? TerminalWidth(out) : 80) {}

void TerminalReport::BeginMap(const std::string& heading) {
  PrintLine(out_, heading);
}

void TerminalReport::EndMap() {
  EndPhase();
  max_ = 0;
  action_.clear();
  subject_.clear();
}

std::string TerminalReport::PhaseLine(bool with_subject) const {
  const std::string total = std::to_string(max_);
  std::string count = std::to_string(pos_);
  if (count.size() < total.size()) count.insert(0, total.size() - count.size(), ' ');
  std::string line = "[" + count + "/" + total + "] " + action_;
  if (with_subject && !subject_.empty()) {
    // The last column stays free, so the cursor never wraps to the next line.
    std::size_t used = Columns(line) + 1;
    if (used + 1 < width_) line += " " + KeepEnd(subject_, width_ - 1 - used);
  }
  return line;
}

void TerminalReport::Draw() {
  if (!live_ || !in_phase_) return;
  std::string line = PhaseLine(true);
  std::size_t columns = Columns(line);
  // Blanks cover what a longer line before it left behind.
  if (columns < drawn_) line.append(drawn_ - columns, ' ');
  std::fputc('\r', out_);
  std::fputs(line.c_str(), out_);
  std::fflush(out_);
  drawn_ = columns;
}

void TerminalReport::ClearLine() {
  if (drawn_ == 0) return;
  std::fprintf(out_, "\r%s\r", std::string(drawn_, ' ').c_str());
  std::fflush(out_);
  drawn_ = 0;
}

void TerminalReport::PrintLine(std::FILE* stream, const std::string& line) {
  ClearLine();
  std::fflush(out_);
  std::fprintf(stream, "%s\n", line.c_str());
  std::fflush(stream);
  Draw();
}

void TerminalReport::EndPhase() {
  if (!in_phase_) return;
  in_phase_ = false;
  ClearLine();
  std::fprintf(out_, "%s\n", PhaseLine(false).c_str());
  std::fflush(out_);
}

void TerminalReport::SetStatus(int part, const std::string& text) {
  if (part != 0) {
    subject_ = text;
    Draw();
    return;
  }
  // A new action after the phase has done its steps closes the phase ("Ready.").
  if (text == action_) return;
  if (in_phase_ && pos_ > 0) EndPhase();
  action_ = text;
  if (in_phase_) {
    Draw();
  } else {
    PrintLine(out_, text);
  }
}

void TerminalReport::ShowProgress(bool visible) {
  if (!visible) EndPhase();
}

void TerminalReport::SetProgressRange(int max) {
  // A new range comes before the bar is set back: the old phase ends at its own.
  if (in_phase_ && pos_ > 0) EndPhase();
  max_ = max;
}

void TerminalReport::SetProgressPos(int pos) {
  if (pos == 0) {
    EndPhase();
    in_phase_ = true;
    subject_.clear();
  }
  pos_ = pos;
  Draw();
}

void TerminalReport::StepProgress() {
  ++pos_;
  Draw();
}

void TerminalReport::ShowMessage(const std::string& text, const std::string& title, qv::MessageIcon icon) {
  // A message after the last step belongs after the phase's line, not before it.
  if (in_phase_ && pos_ >= max_) EndPhase();
  const char* notice = qv::Tr(qv::Text::MsgNotice, language());
  bool error = icon == qv::MessageIcon::Exclamation && !(notice != nullptr && text == notice);
  PrintLine(error ? err_ : out_, title + ": " + text);
}

} // namespace qvcli
