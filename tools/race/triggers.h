// The map's triggers as the World Editor keeps them: war3map.wtg (the trigger
// tree, GUI triggers) and war3map.wct (the text of custom-script triggers).
// Both list the same triggers in the same order, and war3map.j holds the code
// the editor generates from them; all three are written from one TriggerSet.
//
// war3map.wtg, The Frozen Throne's format version 7:
//   char[4] "WTG!", i32 version = 7
//   i32 category count; per category: i32 id, string name, i32 is-comment (0)
//   i32 2 (a constant the editor writes here)
//   i32 variable count (we define none)
//   i32 trigger count; per trigger:
//     string name, string description, i32 is-comment, i32 enabled,
//     i32 custom text, i32 initially off, i32 run on map initialization,
//     i32 category id, i32 function count; per function:
//       i32 kind (0 event, 1 condition, 2 action), string name, i32 enabled,
//       its parameters (none for the functions we use), i32 child count (0)
//
// war3map.wct, format version 1:
//   i32 version = 1, string comment on the map's custom script,
//   i32 size + bytes of the map's custom script (size 0: none),
//   i32 trigger count, then per trigger i32 size + text; the text ends with a
//   zero byte that the size includes; GUI triggers have size 0.
#pragma once

#include <string>
#include <vector>

#include "byte_writer.h"

namespace qvrace {

struct GuiFunction {
  enum Kind : std::int32_t { kEvent = 0, kCondition = 1, kAction = 2 };
  Kind kind = kAction;
  std::string name; // as in TriggerData.txt; all ours take no parameters
};

struct TriggerDef {
  std::string name;
  std::string description;
  int category = 0;
  bool run_on_map_init = false;
  std::vector<GuiFunction> functions; // GUI triggers
  bool custom_text = false;
  std::string custom_code; // custom-script triggers: the JASS text
};

struct TriggerSet {
  std::vector<std::string> categories; // ids are the indices
  std::vector<TriggerDef> triggers;
};

constexpr std::int32_t kWtgVersion = 7;
constexpr std::int32_t kWctVersion = 1;

Bytes EncodeWtg(const TriggerSet& set);
Bytes EncodeWct(const TriggerSet& set);

// The editor's melee setup: "Melee Initialization" with the map-start event and
// the eight standard melee actions.
TriggerDef MeleeInitializationTrigger();

// "Melee Initialization" -> "Melee_Initialization", as the editor names the
// trigger's globals and functions (gg_trg_X, InitTrig_X).
std::string TriggerIdentifier(const std::string& name);

} // namespace qvrace
