// A MapReader that never parses a map in the running process.
//
// StormLib, as some systems ship it, crashes, loops or allocates gigabytes on
// damaged archives. Each Inspect and each CopyOut therefore runs in a short-lived
// helper program of ours ("qvrace-reader") under a wall-clock limit and a memory
// limit; whatever goes wrong in there only ever means "the map cannot be read".
#pragma once

#include <string>

#include "map_reader.h"

namespace qv {

// File name of the helper program in a build's bin folder.
#ifdef _WIN32
constexpr const char* kReaderProgramName = "qvrace-reader.exe";
#else
constexpr const char* kReaderProgramName = "qvrace-reader";
#endif

struct ReaderLimits {
  unsigned timeout_ms = 10000;                    // wall clock per helper run, then it is killed
  unsigned long long memory_bytes = 512ull << 20; // address space (job memory on Windows)
};

// The shared reader. It looks for the helper, in this order: the path given to
// SetReaderProgram, the environment variable QV_READER_PROGRAM, the program
// directory (GetPathOfModule()), the folder of the running executable.
MapReader& IsolatedMapReader();

// Names the helper explicitly; empty restores the search above.
void SetReaderProgram(const std::string& path);
// The helper that the next run would start; empty when none was found.
std::string FindReaderProgram();

// Changes the limits of IsolatedMapReader() (tests use short ones).
void SetReaderLimits(const ReaderLimits& limits);
ReaderLimits GetReaderLimits();

// Exit codes and output of the helper: the two sides of one small protocol.
namespace reader_protocol {
constexpr int kOk = 0;           // Inspect succeeded / CopyResult::Copied
constexpr int kUnreadable = 10;  // Inspect false / CopyResult::MapUnreadable
constexpr int kNotInMap = 11;    // CopyResult::NotInMap
constexpr int kWriteFailed = 12; // CopyResult::WriteFailed
constexpr int kUsage = 2;

// A MapInfo as a few lines of ASCII, ending in "end\n".
std::string SerializeMapInfo(const MapInfo& info);
// False on anything but the exact form SerializeMapInfo writes.
bool ParseMapInfo(const std::string& text, MapInfo* info);
// The most output a helper may send; more means it went wrong.
constexpr std::size_t kMaxOutput = 64u << 20;
} // namespace reader_protocol

} // namespace qv
