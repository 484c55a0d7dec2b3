// qv-fault-driver: one install or uninstall in a process of its own, so that the
// tests and the soak script can kill it, starve it of disk space or take away its
// rights without risking the test runner.
//
//   qv-fault-driver install|uninstall MAP PROGRAM_DIR [--direct] [--kill-at N] [--user UID]
//   qv-fault-driver make-race PROGRAM_DIR    (every race file, arbitrary bytes)
//
// --kill-at N sends SIGKILL to itself on the N-th call into the report, which
// spreads the moments over every phase of a run. Prints each message and, last,
// "calls N" (the number of report calls). Exit code: 0 finished, 1 finished with
// errors, 2 refused, 3 bad usage.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "isolated_map_reader.h"
#include "manifest.h"
#include "paths.h"
#include "program_dir.h"
#include "report.h"
#include "workflows.h"

namespace {

class KillingReport : public qv::Report {
public:
  explicit KillingReport(long kill_at) : kill_at_(kill_at) {}
  void SetStatus(int, const std::string&) override { Call(); }
  void EnableButtons(bool) override { Call(); }
  void ShowProgress(bool) override { Call(); }
  void SetProgressRange(int) override { Call(); }
  void SetProgressPos(int) override { Call(); }
  void StepProgress() override { Call(); }
  void ShowMessage(const std::string& text, const std::string&, qv::MessageIcon) override {
    std::printf("message %s\n", text.c_str());
    std::fflush(stdout);
    Call();
  }
  void LaunchMap(const std::string&) override { Call(); }
  long calls() const { return calls_; }

private:
  void Call() {
    if (++calls_ == kill_at_) raise(SIGKILL);
  }
  long kill_at_;
  long calls_ = 0;
};

bool Put(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return out.good();
}

int MakeRace(const std::string& dir) {
  bool ok = true;
  int n = 0;
  auto put = [&](const std::string& name) {
    ok = Put(qv::DiskPath(dir, name), "race file " + std::to_string(n++)) && ok;
  };
  for (const char* name : qv::g_szMapFiles)
    put(name);
  for (const char* name : qv::szResources)
    put(name);
  put(std::string(qv::kTempFolder) + qv::szNeededFiles[11]);
  put(std::string(qv::kTempFolder) + qv::szNeededFiles[12]);
  ok = Put(qv::DiskPath(dir, qv::kRaceStrings), "STRING 25\r\n{\r\nThornwarden\r\n}\r\n\r\n") && ok;
  return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "make-race") == 0) return MakeRace(std::string(argv[2]) + "/");
  if (argc < 4) return 3;
  std::string command = argv[1];
  bool direct = false;
  long kill_at = -1;
  long user = -1;
  for (int i = 4; i < argc; ++i) {
    if (std::strcmp(argv[i], "--direct") == 0) {
      direct = true;
    } else if (std::strcmp(argv[i], "--kill-at") == 0 && i + 1 < argc) {
      kill_at = std::atol(argv[++i]);
    } else if (std::strcmp(argv[i], "--user") == 0 && i + 1 < argc) {
      user = std::atol(argv[++i]);
    } else {
      return 3;
    }
  }
  // Root may write anywhere; the rights checks only mean something for a plain user.
  if (user >= 0 && (setgid(static_cast<gid_t>(user)) != 0 || setuid(static_cast<uid_t>(user)) != 0)) return 3;

  qv::SetProgramDirectory(argv[3]);
  qv::RunOptions options;
  options.map_path = argv[2];
  options.reader = direct ? &qv::DirectMapReader() : &qv::IsolatedMapReader();
  KillingReport report(kill_at);
  qv::RunOutcome outcome;
  if (command == "install") {
    outcome = qv::InstallRace(options, report);
  } else if (command == "uninstall") {
    outcome = qv::UninstallRace(options, report);
  } else {
    return 3;
  }
  std::printf("calls %ld\n", report.calls());
  switch (outcome) {
  case qv::RunOutcome::Finished:
    return 0;
  case qv::RunOutcome::FinishedWithErrors:
    return 1;
  case qv::RunOutcome::Refused:
    return 2;
  }
  return 3;
}
