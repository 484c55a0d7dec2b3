// Paths as the window's functions hand them out and as the engine takes them.
//
// On Windows both are the same path (the engine's in UTF-8). Under Wine the
// window sees DOS paths such as "Z:\home\me\maps\(2)Duel.w3x", while the engine is
// a native library that opens files by their Unix paths.
#pragma once

#include <windows.h>

#include <string>

namespace qvgui {

// A path from a Win32 function, as the engine takes it.
std::string EnginePath(const WCHAR* window_path);

// A path from the engine as the window shows it and Win32 opens it (UTF-8).
// Texts that are not absolute engine paths come back unchanged.
std::string WindowPath(const std::string& engine_path);

// The folder of the running program with a trailing separator, as an engine path.
std::string ProgramDirectory();

} // namespace qvgui
