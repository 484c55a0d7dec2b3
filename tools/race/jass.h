// JASS text: the map scripts (war3map.j) and the race's computer player
// scripts (.ai).
//
// The map script follows the shape the World Editor gives it: globals for each
// trigger, the triggers' functions, InitCustomTriggers and
// RunInitializationTriggers, the player setup, then main (run when the game
// starts) and config (run in the lobby to set up the player slots). The game and
// the editor both accept "\n" line ends; we write "\r\n" like the editor.
#pragma once

#include <string>

#include "ai_plans.h"
#include "map_layout.h"
#include "triggers.h"

namespace qvrace {

std::string ToCrlf(const std::string& text);

// A map script for `layout` holding the code of `triggers` (already CRLF).
std::string MapScript(const MapLayout& layout, const TriggerSet& triggers, const std::string& title);

// The race's custom-script trigger "Verdant Vale" (CRLF): players who pick the
// Night Elves play the Verdant Vale instead.
std::string RaceSetupTriggerCode();

// The race's computer player script for `plan` (CRLF).
std::string AiScript(AiPlan plan);

} // namespace qvrace
