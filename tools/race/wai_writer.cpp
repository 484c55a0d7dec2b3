#include "wai_writer.h"

#include <string>

#include "race_data.h"

namespace qvrace {

Bytes EncodeWai(const std::string& name, AiPlan which) {
  const AiPlanData plan = PlanFor(which);
  ByteWriter w;
  w.I32(kWaiVersion);
  w.CString(name);
  w.CString("nightelf");
  // The same options the script's ConfigureAI sets.
  w.U32(kWaiMelee | kWaiPeonsRepair | kWaiHeroesFlee | kWaiUnitsFlee | kWaiGroupsFlee | kWaiTargetHeroes |
        kWaiSmartArtillery);
  w.I32(5); // Saplings on each gold mine
  w.I32(which == AiPlan::kTurtle ? 8 : 5);

  std::vector<std::string> heroes;
  for (const auto& step : plan.build)
    for (const RaceUnit& u : RaceUnits())
      if (u.kind == UnitKind::kHero && step.second == std::string(u.key)) heroes.push_back(u.id);
  w.I32(static_cast<std::int32_t>(heroes.size()));
  for (const std::string& id : heroes)
    w.Id(id);

  w.I32(static_cast<std::int32_t>(plan.build.size()));
  for (const auto& step : plan.build) {
    const std::string key = step.second;
    const bool upgrade = key.rfind("R:", 0) == 0;
    w.I32(upgrade ? 1 : 0);
    w.Id(upgrade ? RaceUpgradeId(key.substr(2)) : RaceUnitId(key));
    w.I32(step.first);
  }

  w.I32(static_cast<std::int32_t>(plan.waves.size()));
  for (const AiWave& wave : plan.waves) {
    w.I32(wave.delay_easy);
    w.I32(wave.delay_normal);
    w.I32(wave.delay_hard);
    w.I32(static_cast<std::int32_t>(wave.units.size()));
    for (const auto& u : wave.units) {
      w.Id(RaceUnitId(u.second));
      w.I32(u.first);
    }
  }
  return w.Take();
}

} // namespace qvrace
