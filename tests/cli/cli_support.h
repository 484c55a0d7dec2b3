// Helpers of the command-line tests: qvrace run as a real process, a race folder
// made of arbitrary bytes, a reader for the JSON lines, and StormLib used directly
// to look into the maps qvrace wrote.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "test_support.h"

namespace clitest {

using qvtest::RacePath;
using qvtest::ReadFile;
using qvtest::TempDir;
using qvtest::WriteFile;

struct Result {
  int exit_code = -1;
  std::string out;
  std::string err;
  std::vector<std::string> OutLines() const;
  std::vector<std::string> ErrLines() const;
};

// Runs the built qvrace with `args`, standard output and error going to files.
Result RunQvrace(const std::vector<std::string>& args);
// Runs it on a pseudo terminal; standard output and error arrive mixed in `out`.
Result RunQvraceInTerminal(const std::vector<std::string>& args);

// A race folder: every file install and uninstall read, distinct bytes per file.
void WriteRace(const std::string& dir);
constexpr const char* kRaceStrings =
    "STRING 25\r\n{\r\nThornwarden\r\n}\r\n\r\nSTRING 26\r\n{\r\nSapling\r\n}\r\n";
// A writable copy of a map from ../shared/maps, at dir + `as`.
std::string CopyMap(const std::string& name, const std::string& dir, const std::string& as = "map.w3x");

// One flat JSON object: strings unescaped, other values as written (arrays too).
// Empty when the line is not exactly one JSON object.
using JsonFields = std::map<std::string, std::string>;
std::optional<JsonFields> ParseJsonLine(const std::string& line);

// With StormLib, not through the code under test.
std::optional<std::string> ReadArchiveFile(const std::string& map, const std::string& name);

} // namespace clitest
