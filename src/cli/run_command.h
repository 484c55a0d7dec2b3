// install and uninstall: the engine's workflows, once per map, reported to a
// person or as JSON events.
#pragma once

#include "command_line.h"

namespace qvcli {

int RunInstall(const CommandLine& line);
int RunUninstall(const CommandLine& line);

} // namespace qvcli
