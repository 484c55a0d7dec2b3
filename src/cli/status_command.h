// status: what a map holds, as far as install and uninstall care. Read only.
#pragma once

#include "command_line.h"

namespace qvcli {

int ShowStatus(const CommandLine& line);

} // namespace qvcli
