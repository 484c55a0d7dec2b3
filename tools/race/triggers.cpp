#include "triggers.h"

#include <cctype>

namespace qvrace {

TriggerDef MeleeInitializationTrigger() {
  TriggerDef t;
  t.name = "Melee Initialization";
  t.description = "Default melee game initialization for all players";
  t.functions.push_back({GuiFunction::kEvent, "MapInitializationEvent"});
  for (const char* action :
       {"MeleeStartingVisibility", "MeleeStartingHeroLimit", "MeleeGrantHeroItems", "MeleeStartingResources",
        "MeleeClearExcessUnits", "MeleeStartingUnits", "MeleeStartingAI", "MeleeInitVictoryDefeat"})
    t.functions.push_back({GuiFunction::kAction, action});
  return t;
}

std::string TriggerIdentifier(const std::string& name) {
  std::string id;
  for (char c : name)
    id += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return id;
}

Bytes EncodeWtg(const TriggerSet& set) {
  ByteWriter w;
  w.Tag("WTG!");
  w.I32(kWtgVersion);
  w.I32(static_cast<std::int32_t>(set.categories.size()));
  for (std::size_t i = 0; i < set.categories.size(); ++i) {
    w.I32(static_cast<std::int32_t>(i));
    w.CString(set.categories[i]);
    w.I32(0);
  }
  w.I32(2);
  w.I32(0); // variables
  w.I32(static_cast<std::int32_t>(set.triggers.size()));
  for (const TriggerDef& t : set.triggers) {
    w.CString(t.name);
    w.CString(t.description);
    w.I32(0); // not a comment
    w.I32(1); // enabled
    w.I32(t.custom_text ? 1 : 0);
    w.I32(0); // initially on
    w.I32(t.run_on_map_init ? 1 : 0);
    w.I32(t.category);
    w.I32(t.custom_text ? 0 : static_cast<std::int32_t>(t.functions.size()));
    if (t.custom_text) continue;
    for (const GuiFunction& f : t.functions) {
      w.I32(f.kind);
      w.CString(f.name);
      w.I32(1); // enabled
      w.I32(0); // children
    }
  }
  return w.Take();
}

Bytes EncodeWct(const TriggerSet& set) {
  ByteWriter w;
  w.I32(kWctVersion);
  w.CString(""); // no comment on the map's custom script
  w.I32(0);      // and no custom script
  w.I32(static_cast<std::int32_t>(set.triggers.size()));
  for (const TriggerDef& t : set.triggers) {
    if (!t.custom_text) {
      w.I32(0);
      continue;
    }
    w.I32(static_cast<std::int32_t>(t.custom_code.size() + 1));
    w.CString(t.custom_code);
  }
  return w.Take();
}

} // namespace qvrace
