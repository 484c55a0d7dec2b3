// check-race: whether the race's folder holds everything install and uninstall
// read from it, so a broken folder is found before a map is touched.
#pragma once

#include "command_line.h"

namespace qvcli {

int CheckRace(const CommandLine& line);

} // namespace qvcli
