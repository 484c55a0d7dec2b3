// What qvrace tells its caller through the exit status. A script needs to know
// whether the map changed and whether something went wrong on the way.
#pragma once

#include <algorithm>

#include "workflows.h"

namespace qvcli {

constexpr int kExitOk = 0;         // done, no error message shown
constexpr int kExitWithErrors = 1; // done, but an error message was shown
constexpr int kExitRefused = 2;    // stopped before the map was touched
constexpr int kExitUsage = 64;     // the command line itself was wrong (BSD's EX_USAGE)

inline int ExitStatusOf(qv::RunOutcome outcome) {
  switch (outcome) {
  case qv::RunOutcome::Finished:
    return kExitOk;
  case qv::RunOutcome::FinishedWithErrors:
    return kExitWithErrors;
  case qv::RunOutcome::Refused:
    break;
  }
  return kExitRefused;
}

// Several maps in one call: the caller hears about the worst of them.
inline int WorseOf(int a, int b) {
  return std::max(a, b);
}

} // namespace qvcli
