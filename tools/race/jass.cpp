#include "jass.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "ai_plans.h"
#include "race_data.h"

namespace qvrace {

std::string ToCrlf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

namespace {

std::string Real(float v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", static_cast<double>(v));
  return buf;
}

const char* const kRule = "//===========================================================================\n";

std::string Banner(const std::string& title) {
  return std::string("//***************************************************************************\n"
                     "//*\n"
                     "//*  ") +
         title +
         "\n"
         "//*\n"
         "//***************************************************************************\n\n";
}

std::string GuiTriggerCode(const TriggerDef& t) {
  const std::string id = TriggerIdentifier(t.name);
  std::string s = "function Trig_" + id + "_Actions takes nothing returns nothing\n";
  for (const GuiFunction& f : t.functions) {
    if (f.kind == GuiFunction::kAction)
      s += "    call " + f.name + "(  )\n";
    else if (f.kind == GuiFunction::kEvent && f.name != "MapInitializationEvent")
      throw std::logic_error("no script for event " + f.name);
  }
  s += "endfunction\n\n";
  s += kRule;
  s += "function InitTrig_" + id + " takes nothing returns nothing\n";
  s += "    set gg_trg_" + id + " = CreateTrigger(  )\n";
  s += "    call TriggerAddAction( gg_trg_" + id + ", function Trig_" + id + "_Actions )\n";
  s += "endfunction\n\n";
  return s;
}

bool RunsAtMapStart(const TriggerDef& t) {
  if (t.custom_text) return false;
  for (const GuiFunction& f : t.functions)
    if (f.kind == GuiFunction::kEvent && f.name == "MapInitializationEvent") return true;
  return t.run_on_map_init;
}

} // namespace

std::string MapScript(const MapLayout& layout, const TriggerSet& triggers, const std::string& title) {
  std::string s = kRule;
  s += "// \n// " + title + "\n// \n";
  s += "//   Warcraft III map script\n";
  s += "//   Written by the QV Race Installer's sample generator\n// \n";
  s += kRule;
  s += "\n";
  s += Banner("Global Variables");
  s += "globals\n    // Generated\n";
  for (const TriggerDef& t : triggers.triggers)
    s += "    trigger                 gg_trg_" + TriggerIdentifier(t.name) + " = null\n";
  s += "endglobals\n\n";
  s += "function InitGlobals takes nothing returns nothing\nendfunction\n\n";

  s += Banner("Unit Creation");
  s += "function CreateNeutralPassiveBuildings takes nothing returns nothing\n";
  s += "    local player p = Player(PLAYER_NEUTRAL_PASSIVE)\n";
  s += "    local unit u\n";
  for (const GoldMine& m : layout.mines) {
    s += "    set u = CreateUnit( p, 'ngol', " + Real(m.x) + ", " + Real(m.y) + ", 270.000 )\n";
    s += "    call SetResourceAmount( u, " + std::to_string(m.gold) + " )\n";
  }
  s += "endfunction\n\n";
  s += "function CreateAllUnits takes nothing returns nothing\n";
  s += "    call CreateNeutralPassiveBuildings(  )\n";
  s += "endfunction\n\n";

  s += Banner("Triggers");
  for (const TriggerDef& t : triggers.triggers) {
    s += kRule;
    s += "// Trigger: " + t.name + "\n";
    if (!t.description.empty()) s += "//\n// " + t.description + "\n";
    s += kRule;
    // The custom text arrives with CRLF; the whole script is turned into CRLF
    // once at the end, which leaves it as it was.
    s += t.custom_text ? t.custom_code + "\n" : GuiTriggerCode(t);
  }
  s += kRule;
  s += "function InitCustomTriggers takes nothing returns nothing\n";
  for (const TriggerDef& t : triggers.triggers)
    s += "    call InitTrig_" + TriggerIdentifier(t.name) + "(  )\n";
  s += "endfunction\n\n";
  s += kRule;
  s += "function RunInitializationTriggers takes nothing returns nothing\n";
  for (const TriggerDef& t : triggers.triggers)
    if (RunsAtMapStart(t))
      s += "    call ConditionalTriggerExecute( gg_trg_" + TriggerIdentifier(t.name) + " )\n";
  s += "endfunction\n\n";

  s += Banner("Players");
  s += "function InitCustomPlayerSlots takes nothing returns nothing\n\n";
  for (std::size_t i = 0; i < layout.players.size(); ++i) {
    const std::string p = "Player(" + std::to_string(i) + ")";
    const PlayerSlot& slot = layout.players[i];
    s += "    // Player " + std::to_string(i) + "\n";
    s += "    call SetPlayerStartLocation( " + p + ", " + std::to_string(i) + " )\n";
    s += "    call SetPlayerColor( " + p + ", ConvertPlayerColor(" + std::to_string(i) + ") )\n";
    s += "    call SetPlayerRacePreference( " + p + ", " + slot.race_pref + " )\n";
    s += "    call SetPlayerRaceSelectable( " + p + ", true )\n";
    s += "    call SetPlayerController( " + p + ", MAP_CONTROL_USER )\n\n";
  }
  s += "endfunction\n\n";
  s += "function InitCustomTeams takes nothing returns nothing\n";
  s += "    // Force: " + layout.force_string + "\n";
  for (std::size_t i = 0; i < layout.players.size(); ++i)
    s += "    call SetPlayerTeam( Player(" + std::to_string(i) + "), 0 )\n";
  s += "\nendfunction\n\n";
  s += "function InitAllyPriorities takes nothing returns nothing\n\n";
  for (std::size_t i = 0; i < layout.players.size(); ++i) {
    const std::string me = std::to_string(i);
    s += "    call SetStartLocPrioCount( " + me + ", " + std::to_string(layout.players.size() - 1) + " )\n";
    int slot = 0;
    for (std::size_t j = 0; j < layout.players.size(); ++j)
      if (j != i)
        s += "    call SetStartLocPrio( " + me + ", " + std::to_string(slot++) + ", " + std::to_string(j) +
             ", MAP_LOC_PRIO_HIGH )\n";
    s += "\n";
  }
  s += "endfunction\n\n";

  const Bounds c = CameraBounds(layout);
  const std::string l = Real(c.left) + " + GetCameraMargin(CAMERA_MARGIN_LEFT)";
  const std::string r = Real(c.right) + " - GetCameraMargin(CAMERA_MARGIN_RIGHT)";
  const std::string b = Real(c.bottom) + " + GetCameraMargin(CAMERA_MARGIN_BOTTOM)";
  const std::string t = Real(c.top) + " - GetCameraMargin(CAMERA_MARGIN_TOP)";
  s += Banner("Main Initialization");
  s += kRule;
  s += "function main takes nothing returns nothing\n";
  s += "    call SetCameraBounds( " + l + ", " + b + ", " + r + ", " + t + ", " + l + ", " + t + ", " + r +
       ", " + b + " )\n";
  s += "    call SetDayNightModels( \"Environment\\\\DNC\\\\DNCLordaeron\\\\DNCLordaeronTerrain\\\\"
       "DNCLordaeronTerrain.mdl\", \"Environment\\\\DNC\\\\DNCLordaeron\\\\DNCLordaeronUnit\\\\"
       "DNCLordaeronUnit.mdl\" )\n";
  s += "    call NewSoundEnvironment( \"Default\" )\n";
  s += "    call SetAmbientDaySound( \"LordaeronSummerDay\" )\n";
  s += "    call SetAmbientNightSound( \"LordaeronSummerNight\" )\n";
  s += "    call SetMapMusic( \"Music\", true, 0 )\n";
  s += "    call CreateAllUnits(  )\n";
  s += "    call InitBlizzard(  )\n";
  s += "    call InitGlobals(  )\n";
  s += "    call InitCustomTriggers(  )\n";
  s += "    call RunInitializationTriggers(  )\n\n";
  s += "endfunction\n\n";

  s += Banner("Map Configuration");
  s += "function config takes nothing returns nothing\n";
  s += "    call SetMapName( \"" + layout.name_string + "\" )\n";
  s += "    call SetMapDescription( \"" + layout.description_string + "\" )\n";
  s += "    call SetPlayers( " + std::to_string(layout.players.size()) + " )\n";
  s += "    call SetTeams( " + std::to_string(layout.players.size()) + " )\n";
  s += "    call SetGamePlacement( MAP_PLACEMENT_USE_MAP_SETTINGS )\n\n";
  for (std::size_t i = 0; i < layout.players.size(); ++i)
    s += "    call DefineStartLocation( " + std::to_string(i) + ", " + Real(layout.players[i].start_x) +
         ", " + Real(layout.players[i].start_y) + " )\n";
  s += "\n    // Player setup\n";
  s += "    call InitCustomPlayerSlots(  )\n";
  for (std::size_t i = 0; i < layout.players.size(); ++i)
    s += "    call SetPlayerSlotAvailable( Player(" + std::to_string(i) + "), MAP_CONTROL_USER )\n";
  s += "    call InitGenericPlayerSlots(  )\n";
  s += "    call InitAllyPriorities(  )\n";
  s += "endfunction\n\n";
  return ToCrlf(s);
}

std::string RaceSetupTriggerCode() {
  const std::string heart = RaceUnitId("GroveHeart");
  const std::string sapling = RaceUnitId("Sapling");
  std::string s;
  s += "// Players who pick the Night Elves lead the Verdant Vale: their starting\n";
  s += "// units give way to a Grove Heart and five Saplings, and computer players\n";
  s += "// follow the race's own script.\n";
  s += "function Trig_Verdant_Vale_Setup takes player p returns nothing\n";
  s += "    local group g = CreateGroup()\n";
  s += "    local unit u\n";
  s += "    local integer i = 0\n";
  s += "    local real x = GetStartLocationX(GetPlayerStartLocation(p))\n";
  s += "    local real y = GetStartLocationY(GetPlayerStartLocation(p))\n";
  s += "    call GroupEnumUnitsOfPlayer(g, p, null)\n";
  s += "    loop\n";
  s += "        set u = FirstOfGroup(g)\n";
  s += "        exitwhen u == null\n";
  s += "        call GroupRemoveUnit(g, u)\n";
  s += "        call RemoveUnit(u)\n";
  s += "    endloop\n";
  s += "    call DestroyGroup(g)\n";
  s += "    call CreateUnit(p, '" + heart + "', x, y, bj_UNIT_FACING)\n";
  s += "    loop\n";
  s += "        exitwhen i == 5\n";
  s += "        call CreateUnit(p, '" + sapling + "', x - 256.0 + 128.0 * i, y - 320.0, bj_UNIT_FACING)\n";
  s += "        set i = i + 1\n";
  s += "    endloop\n";
  s += "    if GetPlayerController(p) == MAP_CONTROL_COMPUTER then\n";
  s += "        call StartMeleeAI(p, \"war3mapImported\\\\VerdantVale.ai\")\n";
  s += "    endif\n";
  s += "    set g = null\n";
  s += "    set u = null\n";
  s += "endfunction\n\n";
  s += "function Trig_Verdant_Vale_Actions takes nothing returns nothing\n";
  s += "    local integer i = 0\n";
  s += "    loop\n";
  s += "        exitwhen i == bj_MAX_PLAYERS\n";
  s += "        if GetPlayerSlotState(Player(i)) == PLAYER_SLOT_STATE_PLAYING and "
       "GetPlayerRace(Player(i)) == RACE_NIGHTELF then\n";
  s += "            call Trig_Verdant_Vale_Setup(Player(i))\n";
  s += "        endif\n";
  s += "        set i = i + 1\n";
  s += "    endloop\n";
  s += "endfunction\n\n";
  s += kRule;
  // The melee setup runs first, at map initialization; this waits for it.
  s += "function InitTrig_Verdant_Vale takes nothing returns nothing\n";
  s += "    set gg_trg_Verdant_Vale = CreateTrigger(  )\n";
  s += "    call TriggerRegisterTimerEvent(gg_trg_Verdant_Vale, 0.00, false)\n";
  s += "    call TriggerAddAction(gg_trg_Verdant_Vale, function Trig_Verdant_Vale_Actions)\n";
  s += "endfunction\n";
  return ToCrlf(s);
}

namespace {

std::string Constant(const std::string& key) {
  std::string out;
  for (std::size_t i = 0; i < key.size(); ++i) {
    const char c = key[i];
    if (i > 0 && c >= 'A' && c <= 'Z') out += '_';
    out += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  }
  return out;
}

} // namespace

std::string AiScript(AiPlan which) {
  const AiPlanData plan = PlanFor(which);
  std::string s = kRule;
  std::string summary;
  for (const char* c = plan.summary; *c; ++c)
    summary += *c == '\n' ? std::string("\n// ") : std::string(1, *c);
  s += std::string("// The Verdant Vale - ") + plan.title + "\n//\n// " + summary + "\n//\n";
  s += "// A computer player script: the game loads common.j and common.ai first,\n";
  s += "// and everything called here comes from those two.\n";
  s += kRule;
  s += "globals\n";
  for (const RaceUnit& u : RaceUnits()) {
    std::string name = Constant(u.key);
    name.resize(std::max<std::size_t>(name.size(), 14), ' ');
    s += "    constant integer " + name + " = '" + u.id + "'\n";
  }
  for (const char* key : {"ThornArrows", "HardenedBark", "SporeVolume", "LivingWood", "WindFlight"}) {
    std::string name = Constant(key);
    name.resize(std::max<std::size_t>(name.size(), 14), ' ');
    s += "    constant integer " + name + " = '" + RaceUpgradeId(key) + "'\n";
  }
  s += "endglobals\n\n";

  s += kRule;
  s += "function ConfigureAI takes nothing returns nothing\n";
  s += "    call SetSlowChopping( false )\n";
  s += "    call SetPeonsRepair( true )\n";
  s += "    call SetHeroesFlee( true )\n";
  s += "    call SetUnitsFlee( true )\n";
  s += "    call SetGroupsFlee( true )\n";
  s += "    call SetTargetHeroes( true )\n";
  s += "    call SetSmartArtillery( true )\n";
  s += "    call SetDefendPlayer( true )\n";
  s += "endfunction\n\n";

  s += kRule;
  s += "// Build priorities: each line asks for a total of that many.\n";
  s += "function BuildOrder takes nothing returns nothing\n";
  for (const auto& step : plan.build) {
    const std::string key = step.second;
    if (key.rfind("R:", 0) == 0)
      s += "    call SetBuildUpgr( " + std::to_string(step.first) + ", " + Constant(key.substr(2)) + " )\n";
    else
      s += "    call SetBuildUnit( " + std::to_string(step.first) + ", " + Constant(key) + " )\n";
  }
  s += "endfunction\n\n";

  s += kRule;
  s += "// The first other player still in the game who is not our ally.\n";
  s += "function EnemyPlayer takes nothing returns player\n";
  s += "    local player me = Player(GetAiPlayer())\n";
  s += "    local integer i = 0\n";
  s += "    loop\n";
  s += "        exitwhen i >= 12\n";
  s += "        if Player(i) != me and GetPlayerSlotState(Player(i)) == PLAYER_SLOT_STATE_PLAYING and not "
       "IsPlayerAlly(Player(i), me) then\n";
  s += "            return Player(i)\n";
  s += "        endif\n";
  s += "        set i = i + 1\n";
  s += "    endloop\n";
  s += "    return Player(0)\n";
  s += "endfunction\n\n";

  s += kRule;
  s += "function AttackWaves takes nothing returns nothing\n";
  s += "    loop\n";
  for (std::size_t w = 0; w < plan.waves.size(); ++w) {
    const AiWave& wave = plan.waves[w];
    s += "        // Wave " + std::to_string(w + 1) + "\n";
    s += "        call InitAssaultGroup(  )\n";
    for (const auto& u : wave.units) {
      const std::string n = std::to_string(u.first);
      const std::string more = std::to_string(u.first + 1);
      s += "        call CampaignAttackerEx( " + n + ", " + n + ", " + more + ", " + Constant(u.second) +
           " )\n";
    }
    s += "        call SuicideOnPlayerEx( " + std::to_string(wave.delay_easy) + ", " +
         std::to_string(wave.delay_normal) + ", " + std::to_string(wave.delay_hard) + ", EnemyPlayer() )\n";
  }
  s += "    endloop\n";
  s += "endfunction\n\n";

  s += kRule;
  s += "function main takes nothing returns nothing\n";
  s += "    call InitAI(  )\n";
  s += "    call SetMeleeAI(  )\n";
  s += "    call ConfigureAI(  )\n";
  s += "    call BuildOrder(  )\n";
  s += "    call AttackWaves(  )\n";
  s += "endfunction\n";
  return ToCrlf(s);
}

} // namespace qvrace
