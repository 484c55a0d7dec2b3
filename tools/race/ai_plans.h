// The race's three computer player plans. Each becomes a script (.ai) that the
// game runs and a project file (.wai) for the editor; both come from here so
// that they describe the same plan.
#pragma once

#include <utility>
#include <vector>

namespace qvrace {

enum class AiPlan { kStandard, kRush, kTurtle };

struct AiWave {
  int delay_easy, delay_normal, delay_hard;       // seconds before the wave attacks
  std::vector<std::pair<int, const char*>> units; // quantity, unit key
};

struct AiPlanData {
  const char* title;
  const char* summary;
  // Quantity and unit key in the order of priority; "R:" marks an upgrade key.
  std::vector<std::pair<int, const char*>> build;
  std::vector<AiWave> waves;
};

AiPlanData PlanFor(AiPlan plan);

} // namespace qvrace
