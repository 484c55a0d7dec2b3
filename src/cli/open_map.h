// Opening a finished map the way a double click would, so the World Editor can
// save it once more (it writes files the race needs).
#pragma once

#include <string>

namespace qvcli {

// Starts the program the system associates with the map and does not wait for it.
// Returns false when it could not be started. The started program never writes to
// our standard output, which may be carrying JSON events.
bool OpenWithAssociatedProgram(const std::string& map_path);

} // namespace qvcli
