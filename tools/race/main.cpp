// qvrace-make-race: writes the sample race "The Verdant Vale" into a program
// directory, or the demo map to try it on.
//
//   qvrace-make-race --race DIR        the race's files into DIR
//   qvrace-make-race --demo-map PATH   the demo map (a .w3x) at PATH
//
// Both may be given together. The build runs it with --race on its own program
// directory.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "demo_map.h"
#include "race_files.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: qvrace-make-race [--race DIR] [--demo-map PATH]\n"
                       "  --race DIR        write the sample race into DIR (the program directory)\n"
                       "  --demo-map PATH   write the demo map to PATH\n");
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  std::string race_dir, demo_path;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--race" || arg == "--demo-map") && i + 1 < argc && argv[i + 1][0] != '\0') {
      (arg == "--race" ? race_dir : demo_path) = argv[++i];
    } else if (arg == "--help" || arg == "-h") {
      Usage();
      return 0;
    } else {
      return Usage();
    }
  }
  if (race_dir.empty() && demo_path.empty()) return Usage();

  try {
    std::string error;
    if (!race_dir.empty() && !qvrace::WriteFiles(race_dir, qvrace::RaceFiles(), &error)) {
      std::fprintf(stderr, "qvrace-make-race: %s\n", error.c_str());
      return 1;
    }
    if (!demo_path.empty() && !qvrace::WriteDemoMap(demo_path, &error)) {
      std::fprintf(stderr, "qvrace-make-race: %s\n", error.c_str());
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qvrace-make-race: %s\n", e.what());
    return 1;
  }
  return 0;
}
