// The program directory: the folder that holds the program and the race beside it.
#pragma once

#include <string>

namespace qv {

// The program directory with its trailing separator, asked for afresh on each call.
std::string GetPathOfModule();

// The folder of the running executable with its trailing separator; empty when the
// platform cannot tell. Under Wine this is the loader's folder, not our program's.
std::string ExecutableFolder();

// Makes GetPathOfModule() return `dir` (a separator is appended when missing).
// Front ends call it when the running executable is not our program (Wine's
// loader) or when the person names another race folder; empty restores the default.
void SetProgramDirectory(const std::string& dir);

} // namespace qv
