#include "race_data.h"

#include <algorithm>
#include <stdexcept>

#include "manifest.h"

namespace qvrace {

std::string CommandButtonPath(const std::string& key) {
  return "ReplaceableTextures\\CommandButtons\\BTN" + key + ".blp";
}
std::string PassiveButtonPath(const std::string& key) {
  return "ReplaceableTextures\\PassiveButtons\\PASBTN" + key + ".blp";
}
std::string ImportedPath(const std::string& file) {
  return "war3mapImported\\" + file;
}

namespace {

bool InManifest(const std::string& archive_name) {
  return std::any_of(std::begin(qv::g_szMapFiles), std::end(qv::g_szMapFiles),
                     [&](const char* n) { return archive_name == n; });
}

std::string Join(const std::vector<std::string>& ids) {
  std::string out;
  for (const std::string& id : ids)
    out += (out.empty() ? "" : ",") + id;
  return out;
}

struct AbilityDef {
  const char* key;
  const char* name;
  const char* base_id;
  const char* id;
  bool passive;
  int levels; // heroes' abilities 3, ultimates 1, units' abilities 1
  bool hero;
  const char* text;
  const char* buff; // the buff id it applies, or nullptr
};

const std::vector<AbilityDef>& Abilities() {
  static const std::vector<AbilityDef> list = {
      {"Thornlash", "Thornlash", "AHtb", "A000", false, 3, true,
       "Lashes a target enemy with a thorned vine, dealing damage and stunning it.", nullptr},
      {"Entangle", "Entangle", "AEer", "A001", false, 3, true,
       "Roots hold a target enemy in place and damage it over time.", "B000"},
      {"BriarWall", "Briar Wall", "AEtq", "A002", false, 1, true,
       "Raises a wall of briars that mends nearby allies while it stands.", nullptr},
      {"BarkSkin", "Bark Skin", "AHad", "A003", true, 3, true,
       "Hardens the bark of nearby friendly units, raising their armor.", "B001"},
      {"Regrowth", "Regrowth", "AHhb", "A004", false, 3, true, "Restores the health of a friendly unit.",
       nullptr},
      {"SporeCloud", "Spore Cloud", "AUcs", "A005", false, 3, true,
       "Releases a rolling cloud of spores that damages enemies in a line.", nullptr},
      {"Overgrowth", "Overgrowth", "AEfn", "A006", false, 1, true,
       "Awakens the forest: trees in the area rise as fighting treants.", nullptr},
      {"VerdantAura", "Verdant Aura", "AHab", "A007", true, 3, true,
       "Quickens the mana of nearby friendly units.", "B002"},
      {"ChainStorm", "Chain Storm", "AOcl", "A008", false, 3, true,
       "Calls a bolt of lightning that leaps from enemy to enemy.", nullptr},
      {"GaleForce", "Gale Force", "AOsh", "A009", false, 3, true,
       "A wall of wind rushes forward, striking every enemy in its path.", nullptr},
      {"Tempest", "Tempest", "AHbz", "A00A", false, 1, true,
       "Storm clouds gather over an area and batter it with lightning.", nullptr},
      {"StaticField", "Static Field", "AOcr", "A00B", true, 3, true,
       "The Stormcaller's attacks sometimes discharge for greatly increased damage.", nullptr},
      {"Harvest", "Harvest", "Awha", "A00C", false, 1, false, "Gathers gold and lumber.", nullptr},
      {"ThornCarapace", "Thorn Carapace", "AEah", "A00D", true, 1, false,
       "Melee attackers are hurt by the thorns of this unit's shell.", nullptr},
      {"SporeBurst", "Spore Burst", "Afae", "A00E", false, 1, false,
       "Covers a target with glowing spores that lower its armor and reveal it.", "B003"},
      {"SporeResistance1", "Spore Resistance", "Arsk", "A00F", true, 1, false,
       "Spores shield this unit from part of the effect of enemy spells.", nullptr},
      {"Devour", "Devour", "Adev", "A00G", false, 1, false, "Swallows a target enemy whole and digests it.",
       nullptr},
      {"Regeneration", "Regeneration", "Assk", "A00H", true, 1, false,
       "Moss regrows over wounds, and part of each blow is absorbed.", nullptr},
      {"DeepRoots", "Deep Roots", "Amim", "A00I", true, 1, false,
       "Deep roots make this unit immune to enemy spells.", nullptr},
      {"Uproot", "Uproot", "Aroo", "A00J", false, 1, false,
       "Pulls the building's roots from the ground so that it can walk.", nullptr},
      {"Reforest", "Reforest", "Arej", "A00K", false, 1, false,
       "Slowly restores the health and mana of a friendly unit.", nullptr},
  };
  return list;
}

std::string AbilityId(const std::string& key) {
  for (const AbilityDef& a : Abilities())
    if (key == a.key) return a.id;
  throw std::logic_error("no ability " + key);
}

struct UnitText {
  const char* key;
  const char* text;
  const char* proper_names; // heroes only
  const char* missile;      // a model of the race, or nullptr
  std::vector<const char*> abilities;
  std::vector<const char*> trains;
  std::vector<const char*> builds;
  std::vector<const char*> researches;
};

const std::vector<UnitText>& UnitTexts() {
  static const std::vector<UnitText> list = {
      {"Thornwarden",
       "Warrior Hero, a guardian armored in living wood.",
       "Oakenbrand,Ashlock,Briarhelm",
       nullptr,
       {"Thornlash", "Entangle", "BriarWall", "BarkSkin"},
       {},
       {},
       {}},
      {"Mossweaver",
       "Mystical Hero, a healer who speaks for the growing things.",
       "Lichenne,Fernmother,Sorrel",
       nullptr,
       {"Regrowth", "SporeCloud", "Overgrowth", "VerdantAura"},
       {},
       {},
       {}},
      {"Stormcaller",
       "Cunning Hero, who bends the sky's weather to the grove's defense.",
       "Galewind,Thunderroot,Nimbra",
       "Orb.mdx",
       {"ChainStorm", "GaleForce", "Tempest", "StaticField"},
       {},
       {},
       {}},
      {"Sapling",
       "Worker. Gathers gold and lumber and grows the grove's buildings.",
       nullptr,
       nullptr,
       {"Harvest"},
       {},
       {"GroveHeart", "RootBurrow", "ThornSpire", "SporeVat", "BriarHall", "MossAltar", "VerdantWell",
        "TangleWall"},
       {}},
      {"Thornguard", "Sturdy melee infantry.", nullptr, nullptr, {"ThornCarapace"}, {}, {}, {}},
      {"BriarArcher", "Ranged infantry that shoots thorned arrows.", nullptr, nullptr, {}, {}, {}, {}},
      {"SporeLobber",
       "Siege unit that hurls bursting spore pods.",
       nullptr,
       "SporeMissile.mdx",
       {"SporeBurst", "SporeResistance1"},
       {},
       {},
       {}},
      {"BrambleBeast", "Heavy beast of tangled brambles.", nullptr, nullptr, {"Devour"}, {}, {}, {}},
      {"MossGolem",
       "Huge, slow guardian covered in healing moss.",
       nullptr,
       nullptr,
       {"Regeneration"},
       {},
       {},
       {}},
      {"VineDrake", "Flying beast that breathes choking pollen.", nullptr, nullptr, {}, {}, {}, {}},
      {"WispRider", "Swift flying scout mounted on a great wisp.", nullptr, nullptr, {}, {}, {}, {}},
      {"Dryadling", "Agile ranged unit that shrugs off magic.", nullptr, nullptr, {"DeepRoots"}, {}, {}, {}},
      {"GroveHeart",
       "Main building. Trains Saplings and receives gathered resources.",
       nullptr,
       nullptr,
       {"Uproot", "Reforest"},
       {"Sapling"},
       {},
       {}},
      {"RootBurrow",
       "Trains Thornguards, Briar Archers and Spore Lobbers.",
       nullptr,
       nullptr,
       {},
       {"Thornguard", "BriarArcher", "SporeLobber"},
       {},
       {"ThornArrows"}},
      {"ThornSpire", "Defensive tower that flings thorns at enemies.", nullptr, nullptr, {}, {}, {}, {}},
      {"SporeVat",
       "Grows Dryadlings and Bramble Beasts.",
       nullptr,
       nullptr,
       {},
       {"Dryadling", "BrambleBeast"},
       {},
       {"SporeVolume"}},
      {"BriarHall",
       "Trains Moss Golems, Vine Drakes and Wisp Riders.",
       nullptr,
       nullptr,
       {},
       {"MossGolem", "VineDrake", "WispRider"},
       {},
       {"HardenedBark", "LivingWood", "WindFlight"}},
      {"MossAltar",
       "Summons and revives the grove's heroes.",
       nullptr,
       nullptr,
       {},
       {"Thornwarden", "Mossweaver", "Stormcaller"},
       {},
       {}},
      {"VerdantWell",
       "Provides food and restores the mana and health of allies.",
       nullptr,
       nullptr,
       {},
       {},
       {},
       {}},
      {"TangleWall", "A living wall that blocks the way of enemies.", nullptr, nullptr, {}, {}, {}, {}},
  };
  return list;
}

struct ItemDef {
  const char* name;
  const char* base_id;
  const char* id;
  const char* text;
  std::string icon;
};

struct BuffDef {
  const char* ability_key; // icon and name source
  const char* name;
  const char* base_id;
  const char* id;
  const char* text;
};

const std::vector<BuffDef>& Buffs() {
  static const std::vector<BuffDef> list = {
      {"Entangle", "Entangled", "BEer", "B000", "This unit is held by thorned vines; it cannot move."},
      {"BarkSkin", "Bark Skin", "BHad", "B001", "This unit's armor is raised by Bark Skin."},
      {"VerdantAura", "Verdant Aura", "BHab", "B002", "This unit regains mana faster."},
      {"SporeBurst", "Spore Burst", "Bfae", "B003", "This unit is covered in spores; its armor is lowered."},
  };
  return list;
}

struct UpgradeDef {
  const char* key;
  const char* name;
  const char* base_id;
  const char* id;
  int levels;
  const char* text;
};

const std::vector<UpgradeDef>& Upgrades() {
  static const std::vector<UpgradeDef> list = {
      {"ThornArrows", "Thorn Arrows", "Resm", "R000", 2, "Increases the attack damage of Briar Archers."},
      {"HardenedBark", "Hardened Bark", "Rerh", "R001", 2, "Increases the armor of the grove's units."},
      {"SporeVolume", "Spore Volume", "Recb", "R002", 1, "Spore Lobbers' pods burst over a wider area."},
      {"LivingWood", "Living Wood", "Renb", "R003", 1, "Increases the hit points of Moss Golems."},
      {"WindFlight", "Wind Flight", "Reht", "R004", 1, "Wisp Riders fly faster."},
  };
  return list;
}

std::string Hotkeyed(const std::string& verb, const std::string& name) {
  return verb + " " + name;
}

} // namespace

const std::vector<RaceUnit>& RaceUnits() {
  static const std::vector<RaceUnit> list = {
      {"Thornwarden", "Thornwarden", UnitKind::kHero, "Edem", "E000"},
      {"Mossweaver", "Mossweaver", UnitKind::kHero, "Ekee", "E001"},
      {"Stormcaller", "Stormcaller", UnitKind::kHero, "Emoo", "E002"},
      {"Sapling", "Sapling", UnitKind::kUnit, "ewsp", "e000"},
      {"Thornguard", "Thornguard", UnitKind::kUnit, "esen", "e001"},
      {"BriarArcher", "Briar Archer", UnitKind::kUnit, "earc", "e002"},
      {"SporeLobber", "Spore Lobber", UnitKind::kUnit, "ebal", "e003"},
      {"BrambleBeast", "Bramble Beast", UnitKind::kUnit, "edoc", "e004"},
      {"MossGolem", "Moss Golem", UnitKind::kUnit, "emtg", "e005"},
      {"VineDrake", "Vine Drake", UnitKind::kUnit, "echm", "e006"},
      {"WispRider", "Wisp Rider", UnitKind::kUnit, "ehpr", "e007"},
      {"Dryadling", "Dryadling", UnitKind::kUnit, "edry", "e008"},
      {"GroveHeart", "Grove Heart", UnitKind::kBuilding, "etol", "e009"},
      {"RootBurrow", "Root Burrow", UnitKind::kBuilding, "eaom", "e00A"},
      {"ThornSpire", "Thorn Spire", UnitKind::kBuilding, "etrp", "e00B"},
      {"SporeVat", "Spore Vat", UnitKind::kBuilding, "eaoe", "e00C"},
      {"BriarHall", "Briar Hall", UnitKind::kBuilding, "eaow", "e00D"},
      {"MossAltar", "Moss Altar", UnitKind::kBuilding, "eate", "e00E"},
      {"VerdantWell", "Verdant Well", UnitKind::kBuilding, "emow", "e00F"},
      {"TangleWall", "Tangle Wall", UnitKind::kBuilding, "edos", "e00G"},
  };
  return list;
}

std::string RaceUpgradeId(const std::string& key) {
  for (const UpgradeDef& u : Upgrades())
    if (key == u.key) return u.id;
  throw std::logic_error("no upgrade " + key);
}

std::string RaceUnitId(const std::string& key) {
  for (const RaceUnit& u : RaceUnits())
    if (key == u.key) return u.id;
  throw std::logic_error("no unit " + key);
}

RaceObjects BuildRaceObjects(unsigned first_string) {
  StringTable strings(first_string);
  RaceObjects out;
  using M = Modification;

  // Units, heroes and buildings.
  for (const RaceUnit& u : RaceUnits()) {
    const auto text = std::find_if(UnitTexts().begin(), UnitTexts().end(),
                                   [&](const UnitText& t) { return std::string(t.key) == u.key; });
    if (text == UnitTexts().end()) throw std::logic_error(std::string("no text for ") + u.key);
    ObjectDefinition o{u.base_id, u.id, {}};
    o.modifications.push_back(M::String("unam", strings.Add(u.name)));
    if (text->proper_names) o.modifications.push_back(M::String("upro", strings.Add(text->proper_names)));
    const char* verb = u.kind == UnitKind::kHero       ? "Summon"
                       : u.kind == UnitKind::kBuilding ? "Build"
                                                       : "Train";
    o.modifications.push_back(M::String("utip", strings.Add(Hotkeyed(verb, u.name))));
    o.modifications.push_back(M::String("utub", strings.Add(text->text)));
    o.modifications.push_back(M::String("uico", CommandButtonPath(u.key)));
    const std::string model = ImportedPath(std::string(u.key) + ".mdx");
    if (InManifest(model)) o.modifications.push_back(M::String("umdl", model));
    if (text->missile) o.modifications.push_back(M::String("ua1m", ImportedPath(text->missile)));
    std::vector<std::string> ids;
    for (const char* a : text->abilities)
      ids.push_back(AbilityId(a));
    if (!ids.empty())
      o.modifications.push_back(M::String(u.kind == UnitKind::kHero ? "uhab" : "uabi", Join(ids)));
    ids.clear();
    for (const char* t : text->trains)
      ids.push_back(RaceUnitId(t));
    if (!ids.empty()) o.modifications.push_back(M::String("utra", Join(ids)));
    ids.clear();
    for (const char* b : text->builds)
      ids.push_back(RaceUnitId(b));
    if (!ids.empty()) o.modifications.push_back(M::String("ubui", Join(ids)));
    ids.clear();
    for (const char* r : text->researches)
      ids.push_back(RaceUpgradeId(r));
    if (!ids.empty()) o.modifications.push_back(M::String("ures", Join(ids)));
    out.units.custom.push_back(std::move(o));
  }

  // Items the grove's shops may sell.
  const std::vector<ItemDef> items = {
      {"Dewdrop Flask", "plcl", "I000", "Restores mana to the Hero who drinks it.",
       CommandButtonPath("Regrowth")},
      {"Seed of the Grove", "stwp", "I001", "Carries the Hero and nearby troops home to the Grove Heart.",
       ImportedPath("BTNVerdantVale.blp")},
  };
  for (const ItemDef& i : items) {
    ObjectDefinition o{i.base_id, i.id, {}};
    o.modifications.push_back(M::String("unam", strings.Add(i.name)));
    o.modifications.push_back(M::String("utip", strings.Add(Hotkeyed("Purchase", i.name))));
    o.modifications.push_back(M::String("utub", strings.Add(i.text)));
    o.modifications.push_back(M::String("iico", i.icon));
    out.items.custom.push_back(std::move(o));
  }

  // Abilities: the leveled texts carry their level; the name and icon don't.
  out.abilities.leveled = true;
  for (const AbilityDef& a : Abilities()) {
    ObjectDefinition o{a.base_id, a.id, {}};
    o.modifications.push_back(M::String("anam", strings.Add(a.name)));
    o.modifications.push_back(
        M::String("aart", a.passive ? PassiveButtonPath(a.key) : CommandButtonPath(a.key)));
    if (a.hero) {
      o.modifications.push_back(
          M::String("aret", strings.Add(std::string("Learn ") + a.name + " - [|cffffcc00Level %d|r]")));
      o.modifications.push_back(M::String("arut", strings.Add(a.text)));
    }
    for (int level = 1; level <= a.levels; ++level) {
      std::string tip = a.name;
      if (a.levels > 1) tip += " - [|cffffcc00Level " + std::to_string(level) + "|r]";
      o.modifications.push_back(M::String("atp1", strings.Add(tip), level));
      o.modifications.push_back(M::String("aub1", strings.Add(a.text), level));
      if (a.buff) o.modifications.push_back(M::String("abuf", a.buff, level));
    }
    out.abilities.custom.push_back(std::move(o));
  }

  for (const BuffDef& b : Buffs()) {
    const bool passive = std::any_of(Abilities().begin(), Abilities().end(), [&](const AbilityDef& a) {
      return std::string(a.key) == b.ability_key && a.passive;
    });
    ObjectDefinition o{b.base_id, b.id, {}};
    o.modifications.push_back(M::String("ftip", strings.Add(b.name)));
    o.modifications.push_back(M::String("fube", strings.Add(b.text)));
    o.modifications.push_back(
        M::String("fart", passive ? PassiveButtonPath(b.ability_key) : CommandButtonPath(b.ability_key)));
    out.buffs.custom.push_back(std::move(o));
  }

  out.upgrades.leveled = true;
  for (const UpgradeDef& u : Upgrades()) {
    ObjectDefinition o{u.base_id, u.id, {}};
    o.modifications.push_back(M::Int("glvl", u.levels));
    for (int level = 1; level <= u.levels; ++level) {
      std::string name = u.name;
      if (level > 1) name += " " + std::string(level == 2 ? "II" : "III");
      o.modifications.push_back(M::String("gnam", strings.Add(name), level));
      o.modifications.push_back(M::String("gtp1", strings.Add(Hotkeyed("Research", name)), level));
      o.modifications.push_back(M::String("gub1", strings.Add(u.text), level));
      o.modifications.push_back(M::String("gar1", CommandButtonPath(u.key), level));
    }
    out.upgrades.custom.push_back(std::move(o));
  }

  out.strings = strings.Entries();
  return out;
}

} // namespace qvrace
