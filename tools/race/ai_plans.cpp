#include "ai_plans.h"

#include <stdexcept>

namespace qvrace {

AiPlanData PlanFor(AiPlan plan) {
  switch (plan) {
  case AiPlan::kStandard:
    return {"Standard",
            "A balanced game: a steady economy, all three heroes in turn, and\n"
            "growing attack waves of mixed troops.",
            {{1, "GroveHeart"},
             {5, "Sapling"},
             {1, "VerdantWell"},
             {1, "MossAltar"},
             {1, "RootBurrow"},
             {1, "Thornwarden"},
             {8, "Sapling"},
             {2, "VerdantWell"},
             {4, "Thornguard"},
             {2, "BriarArcher"},
             {1, "SporeVat"},
             {1, "R:ThornArrows"},
             {1, "Mossweaver"},
             {2, "Dryadling"},
             {1, "BriarHall"},
             {1, "MossGolem"},
             {1, "R:HardenedBark"},
             {1, "Stormcaller"},
             {2, "SporeLobber"}},
            {{240, 200, 160, {{3, "Thornguard"}, {2, "BriarArcher"}}},
             {300, 260, 220, {{4, "Thornguard"}, {3, "BriarArcher"}, {2, "Dryadling"}}},
             {360, 300, 260, {{4, "Thornguard"}, {2, "MossGolem"}, {2, "SporeLobber"}}}}};
  case AiPlan::kRush:
    return {"Rush",
            "An early hero and a fast stream of Thornguards before the enemy\n"
            "has grown its defences.",
            {{1, "GroveHeart"},
             {5, "Sapling"},
             {1, "MossAltar"},
             {1, "RootBurrow"},
             {1, "Thornwarden"},
             {1, "VerdantWell"},
             {6, "Thornguard"},
             {7, "Sapling"},
             {2, "VerdantWell"},
             {3, "BriarArcher"},
             {1, "R:ThornArrows"}},
            {{120, 100, 80, {{3, "Thornguard"}}},
             {180, 150, 120, {{5, "Thornguard"}, {2, "BriarArcher"}}},
             {200, 170, 140, {{6, "Thornguard"}, {3, "BriarArcher"}}}}};
  case AiPlan::kTurtle:
    return {"Turtle",
            "Walls and Thorn Spires first, a large economy, and late attacks\n"
            "with heavy troops.",
            {{1, "GroveHeart"},
             {5, "Sapling"},
             {1, "VerdantWell"},
             {2, "ThornSpire"},
             {1, "MossAltar"},
             {1, "Mossweaver"},
             {10, "Sapling"},
             {4, "TangleWall"},
             {1, "RootBurrow"},
             {1, "BriarHall"},
             {3, "VerdantWell"},
             {2, "MossGolem"},
             {1, "R:HardenedBark"},
             {1, "R:LivingWood"},
             {1, "Thornwarden"},
             {2, "VineDrake"}},
            {{480, 420, 360, {{3, "MossGolem"}, {2, "VineDrake"}}},
             {420, 360, 300, {{4, "MossGolem"}, {3, "VineDrake"}, {2, "SporeLobber"}}}}};
  }
  throw std::logic_error("unknown plan");
}

} // namespace qvrace
