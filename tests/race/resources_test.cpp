// The race's resource files (szResources), its strings and the files an
// uninstall puts back.
#include <algorithm>
#include <regex>
#include <set>
#include <sstream>

#include "generated_race.h"

namespace racetest {
namespace {

// ---- Object editor files ---------------------------------------------------------

struct ObjectMod {
  std::string field;
  std::int32_t type;
  std::string text; // string values
};

struct ObjectEntry {
  std::string base_id, new_id;
  std::vector<ObjectMod> mods;
};

// Both tables of a version 2 object file; `leveled` files carry level and data
// column with every modification.
std::vector<ObjectEntry> ParseObjectFile(const Bytes& data, bool leveled) {
  Reader r(data);
  if (r.I32() != 2) throw std::runtime_error("not version 2");
  std::vector<ObjectEntry> out;
  for (int table = 0; table < 2; ++table) {
    const std::int32_t count = r.I32();
    for (std::int32_t i = 0; i < count; ++i) {
      ObjectEntry e;
      e.base_id = r.Chars(4);
      e.new_id = r.Chars(4);
      if (table == 0 && e.new_id != std::string(4, '\0')) throw std::runtime_error("original with a new id");
      const std::int32_t mods = r.I32();
      for (std::int32_t m = 0; m < mods; ++m) {
        ObjectMod mod;
        mod.field = r.Chars(4);
        mod.type = r.I32();
        if (leveled) r.Skip(8);
        switch (mod.type) {
        case 0:
        case 1:
        case 2:
          r.Skip(4);
          break;
        case 3:
          mod.text = r.CStr();
          break;
        default:
          throw std::runtime_error("unknown value type");
        }
        const std::string end = r.Chars(4);
        if (end != (table == 0 ? e.base_id : e.new_id))
          throw std::runtime_error("modification of " + e.new_id + " ends with " + end);
        e.mods.push_back(std::move(mod));
      }
      if (table == 0) throw std::runtime_error("the race changes no standard object");
      out.push_back(std::move(e));
    }
  }
  if (!r.AtEnd()) throw std::runtime_error("bytes after the tables");
  return out;
}

struct ObjectFileCase {
  const char* name;
  bool leveled;
  std::size_t objects;
  char id_letter; // custom ids start with it (upper or lower case)
};

const ObjectFileCase kObjectFiles[] = {
    {"war3map.w3u", false, 20, 'E'}, {"war3map.w3t", false, 2, 'I'}, {"war3map.w3a", true, 21, 'A'},
    {"war3map.w3h", false, 4, 'B'},  {"war3map.w3q", true, 5, 'R'},
};

std::set<std::string> CustomIds(const char* file, bool leveled) {
  std::set<std::string> ids;
  for (const ObjectEntry& e : ParseObjectFile(Race(file), leveled))
    ids.insert(e.new_id);
  return ids;
}

TEST(ObjectFiles, DefineTheRaceAsNewObjectsWithUniqueIds) {
  std::set<std::string> all_ids;
  for (const ObjectFileCase& c : kObjectFiles) {
    SCOPED_TRACE(c.name);
    const auto entries = ParseObjectFile(Race(c.name), c.leveled);
    EXPECT_EQ(entries.size(), c.objects);
    for (const ObjectEntry& e : entries) {
      EXPECT_EQ(std::toupper(e.new_id[0]), c.id_letter) << e.new_id;
      EXPECT_TRUE(std::all_of(e.base_id.begin(), e.base_id.end(), ::isalnum)) << e.base_id;
      EXPECT_TRUE(all_ids.insert(e.new_id).second) << e.new_id << " used twice";
      EXPECT_FALSE(e.mods.empty());
    }
  }
}

TEST(ObjectFiles, EveryTextIsATriggerStringOfTheRace) {
  const auto strings = ParseWts(AsText(Race(qv::kRaceStrings)));
  std::multiset<unsigned> used;
  for (const ObjectFileCase& c : kObjectFiles) {
    for (const ObjectEntry& e : ParseObjectFile(Race(c.name), c.leveled)) {
      for (const ObjectMod& m : e.mods) {
        if (m.type != 3) continue;
        for (unsigned id : TrigStrRefs(m.text)) {
          EXPECT_GE(id, 25u) << e.new_id << " " << m.field;
          EXPECT_TRUE(strings.count(id)) << "TRIGSTR_" << id << " of " << e.new_id << " is not defined";
          used.insert(id);
        }
      }
    }
  }
  // No string is left over, and none serves two places.
  for (const auto& s : strings)
    EXPECT_EQ(used.count(s.first), 1u) << "STRING " << s.first;
  // The names reach the strings file.
  std::set<std::string> texts;
  for (const auto& s : strings)
    texts.insert(s.second);
  for (const char* name : {"Thornwarden",  "Mossweaver",   "Stormcaller",   "Sapling",      "Thornguard",
                           "Briar Archer", "Spore Lobber", "Bramble Beast", "Moss Golem",   "Vine Drake",
                           "Wisp Rider",   "Dryadling",    "Grove Heart",   "Root Burrow",  "Thorn Spire",
                           "Spore Vat",    "Briar Hall",   "Moss Altar",    "Verdant Well", "Tangle Wall"})
    EXPECT_TRUE(texts.count(name)) << name;
}

// Icons, models and missiles the objects name must come with the race, and
// lists of ids must name objects that exist.
TEST(ObjectFiles, ReferencedFilesAndObjectsExist) {
  std::set<std::string> race_files(std::begin(qv::g_szMapFiles), std::end(qv::g_szMapFiles));
  std::set<std::string> ids;
  for (const ObjectFileCase& c : kObjectFiles)
    for (const std::string& id : CustomIds(c.name, c.leveled))
      ids.insert(id);
  int paths = 0, lists = 0;
  for (const ObjectFileCase& c : kObjectFiles) {
    for (const ObjectEntry& e : ParseObjectFile(Race(c.name), c.leveled)) {
      for (const ObjectMod& m : e.mods) {
        if (m.text.size() > 4 &&
            (m.text.rfind(".blp") == m.text.size() - 4 || m.text.rfind(".mdx") == m.text.size() - 4)) {
          EXPECT_TRUE(race_files.count(m.text)) << e.new_id << " " << m.field << ": " << m.text;
          ++paths;
        }
        if (m.field == "uabi" || m.field == "uhab" || m.field == "utra" || m.field == "ubui" ||
            m.field == "ures" || m.field == "abuf") {
          std::stringstream list(m.text);
          for (std::string id; std::getline(list, id, ',');)
            EXPECT_TRUE(ids.count(id)) << m.field << ": " << id;
          ++lists;
        }
      }
    }
  }
  EXPECT_GT(paths, 40);
  EXPECT_GT(lists, 10);
}

// ---- Strings ---------------------------------------------------------------------

TEST(RaceStrings, StartAt25WithCrlfAndNoByteOrderMark) {
  const std::string text = AsText(Race(qv::kRaceStrings));
  ASSERT_EQ(text.rfind("STRING 25\r\n", 0), 0u) << "must begin with the header line itself";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    }
    if (text[i] == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
    }
  }
  const auto strings = ParseWts(text);
  unsigned expected = 25;
  for (const auto& s : strings)
    EXPECT_EQ(s.first, expected++) << "numbers follow each other";
  EXPECT_GT(strings.size(), 100u);
}

// ---- Imports ---------------------------------------------------------------------

TEST(ImportList, ListsEveryRaceFileWithItsFullPath) {
  const Bytes data = Race("war3map.imp");
  Reader r(data);
  EXPECT_EQ(r.I32(), 1);
  const std::int32_t count = r.I32();
  EXPECT_EQ(count, 123);
  std::set<std::string> listed;
  for (std::int32_t i = 0; i < count; ++i) {
    EXPECT_EQ(r.U8(), 13) << "custom path";
    listed.insert(r.CStr());
  }
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(listed, std::set<std::string>(std::begin(qv::g_szMapFiles), std::end(qv::g_szMapFiles)));
}

// ---- Triggers and scripts ---------------------------------------------------------

// The trigger file, the custom texts and the script describe the same triggers.
void ExpectTriggersAgree(const std::vector<WtgTrigger>& triggers, const std::vector<std::string>* texts,
                         const std::string& script) {
  if (texts) {
    ASSERT_EQ(texts->size(), triggers.size());
  }
  for (std::size_t i = 0; i < triggers.size(); ++i) {
    const WtgTrigger& t = triggers[i];
    SCOPED_TRACE(t.name);
    const std::string id = TriggerId(t.name);
    EXPECT_NE(script.find("trigger                 gg_trg_" + id + " = null"), std::string::npos);
    EXPECT_NE(script.find("function InitTrig_" + id + " takes nothing returns nothing"), std::string::npos);
    EXPECT_NE(script.find("call InitTrig_" + id + "("), std::string::npos);
    if (texts) {
      EXPECT_EQ(t.custom_text, !(*texts)[i].empty());
    }
    if (t.custom_text) {
      ASSERT_TRUE(texts);
      EXPECT_NE(script.find((*texts)[i]), std::string::npos) << "custom text not in the script";
    }
    for (const auto& f : t.functions)
      if (f.first == 2) {
        EXPECT_NE(script.find("    call " + f.second + "(  )"), std::string::npos) << f.second;
      }
  }
  const std::regex declared("gg_trg_\\w+ = null");
  EXPECT_EQ(static_cast<std::size_t>(std::distance(
                std::sregex_iterator(script.begin(), script.end(), declared), std::sregex_iterator())),
            triggers.size());
}

std::vector<std::string> MeleeActions() {
  return {"MeleeStartingVisibility", "MeleeStartingHeroLimit", "MeleeGrantHeroItems",
          "MeleeStartingResources",  "MeleeClearExcessUnits",  "MeleeStartingUnits",
          "MeleeStartingAI",         "MeleeInitVictoryDefeat"};
}

void ExpectMeleeTrigger(const WtgTrigger& t) {
  EXPECT_EQ(t.name, "Melee Initialization");
  EXPECT_FALSE(t.custom_text);
  ASSERT_EQ(t.functions.size(), 9u);
  EXPECT_EQ(t.functions[0], std::make_pair(0, std::string("MapInitializationEvent")));
  for (std::size_t i = 0; i < 8; ++i)
    EXPECT_EQ(t.functions[i + 1], std::make_pair(2, MeleeActions()[i]));
}

TEST(Triggers, RaceTriggersScriptAndCustomTextAgree) {
  const auto triggers = ParseWtg(Race("war3map.wtg"));
  const auto texts = ParseWct(Race("war3map.wct"));
  const std::string script = AsText(Race("war3map.j"));
  ASSERT_EQ(triggers.size(), 2u);
  ExpectMeleeTrigger(triggers[0]);
  EXPECT_EQ(triggers[1].name, "Verdant Vale");
  EXPECT_TRUE(triggers[1].custom_text);
  ExpectTriggersAgree(triggers, &texts, script);
  EXPECT_NE(script.find("call ConditionalTriggerExecute( gg_trg_Melee_Initialization )"), std::string::npos);
}

TEST(Triggers, UninstallPutsBackThePlainMeleeSetup) {
  const auto triggers = ParseWtg(Race("Temp\\war3map.wtg"));
  const std::string script = AsText(Race("Temp\\war3map.j"));
  ASSERT_EQ(triggers.size(), 1u);
  ExpectMeleeTrigger(triggers[0]);
  ExpectTriggersAgree(triggers, nullptr, script);
  EXPECT_EQ(script.find("Verdant"), std::string::npos) << "no trace of the race";
}

// Structural checks a JASS parser would make first: blocks close, line ends are CRLF.
void ExpectJassShape(const std::string& script) {
  EXPECT_EQ(script.find("\r\r"), std::string::npos);
  for (std::size_t i = 0; i < script.size(); ++i) {
    if (script[i] == '\n') {
      ASSERT_TRUE(i > 0 && script[i - 1] == '\r') << "bare LF at " << i;
    }
  }
  auto count = [&](const std::string& pattern) {
    const std::regex re(pattern);
    return std::distance(std::sregex_iterator(script.begin(), script.end(), re), std::sregex_iterator());
  };
  EXPECT_EQ(count("(^|\\n)\\s*function \\w+ takes"), count("(^|\\n)\\s*endfunction"));
  EXPECT_EQ(count("(^|\\n)\\s*loop\\r"), count("(^|\\n)\\s*endloop"));
  EXPECT_EQ(count("(^|\\n)\\s*if .* then\\r"), count("(^|\\n)\\s*endif"));
  EXPECT_EQ(count("(^|\\n)globals\\r"), count("(^|\\n)endglobals"));
}

TEST(Scripts, MapScriptsHaveMainConfigAndClosedBlocks) {
  for (const char* name : {"war3map.j", "Temp\\war3map.j"}) {
    SCOPED_TRACE(name);
    const std::string script = AsText(Race(name));
    ExpectJassShape(script);
    EXPECT_NE(script.find("function main takes nothing returns nothing"), std::string::npos);
    EXPECT_NE(script.find("function config takes nothing returns nothing"), std::string::npos);
  }
}

// Raw ids such as 'e000' in a script must be objects the race defines (or the
// game's gold mine).
void ExpectKnownIds(const std::string& script) {
  std::set<std::string> ids = {"ngol"};
  for (const ObjectFileCase& c : kObjectFiles)
    for (const std::string& id : CustomIds(c.name, c.leveled))
      ids.insert(id);
  const std::regex raw("'(\\w{4})'");
  int seen = 0;
  for (auto it = std::sregex_iterator(script.begin(), script.end(), raw); it != std::sregex_iterator();
       ++it, ++seen)
    EXPECT_TRUE(ids.count((*it)[1])) << (*it)[1];
  EXPECT_GT(seen, 0);
}

TEST(Scripts, RaceSetupUsesTheRaceObjectsAndAiScript) {
  const std::string script = AsText(Race("war3map.j"));
  ExpectKnownIds(script);
  EXPECT_NE(script.find("\"war3mapImported\\\\VerdantVale.ai\""), std::string::npos);
}

TEST(Scripts, AiScriptsAreJassOverTheRaceObjects) {
  const auto scripts = MapFilesEndingWith(".ai");
  ASSERT_EQ(scripts.size(), 3u);
  std::set<std::string> distinct;
  for (const std::string& name : scripts) {
    SCOPED_TRACE(name);
    const std::string script = AsText(Race(name));
    ExpectJassShape(script);
    ExpectKnownIds(script);
    EXPECT_NE(script.find("function main takes nothing returns nothing"), std::string::npos);
    EXPECT_NE(script.find("call InitAI(  )"), std::string::npos);
    distinct.insert(script);
  }
  EXPECT_EQ(distinct.size(), 3u);
}

TEST(Scripts, AiEditorFilesReadToTheEndAndNameRaceObjects) {
  const auto units = CustomIds("war3map.w3u", false);
  const auto upgrades = CustomIds("war3map.w3q", true);
  const auto files = MapFilesEndingWith(".wai");
  ASSERT_EQ(files.size(), 3u);
  for (const std::string& name : files) {
    SCOPED_TRACE(name);
    const Bytes data = Race(name);
    Reader r(data);
    EXPECT_EQ(r.I32(), 2);
    EXPECT_EQ(r.CStr().rfind("Verdant Vale", 0), 0u);
    EXPECT_EQ(r.CStr(), "nightelf");
    r.Skip(12); // options, workers on gold and on lumber
    const std::int32_t heroes = r.I32();
    EXPECT_GE(heroes, 1);
    for (std::int32_t i = 0; i < heroes; ++i)
      EXPECT_EQ(r.Chars(4)[0], 'E');
    const std::int32_t steps = r.I32();
    EXPECT_GT(steps, 5);
    for (std::int32_t i = 0; i < steps; ++i) {
      const std::int32_t kind = r.I32();
      const std::string id = r.Chars(4);
      EXPECT_TRUE(kind == 0 ? units.count(id) : upgrades.count(id)) << id;
      EXPECT_GT(r.I32(), 0);
    }
    const std::int32_t waves = r.I32();
    EXPECT_GE(waves, 1);
    for (std::int32_t w = 0; w < waves; ++w) {
      r.Skip(12);
      const std::int32_t entries = r.I32();
      for (std::int32_t i = 0; i < entries; ++i) {
        EXPECT_TRUE(units.count(r.Chars(4)));
        EXPECT_GT(r.I32(), 0);
      }
    }
    EXPECT_TRUE(r.AtEnd());
  }
}

// ---- The smaller resources --------------------------------------------------------

TEST(Resources, PreviewIsA256Square32BitTga) {
  const Bytes data = Race("war3mapPreview.tga");
  Reader r(data);
  EXPECT_EQ(r.U8(), 0); // no image id
  EXPECT_EQ(r.U8(), 0); // no colour map
  EXPECT_EQ(r.U8(), 2); // uncompressed true colour
  r.Skip(9);
  EXPECT_EQ(r.U16(), 256);
  EXPECT_EQ(r.U16(), 256);
  EXPECT_EQ(r.U8(), 32);
  EXPECT_EQ(r.U8() & 0x0F, 8) << "8 alpha bits";
  EXPECT_EQ(data.size(), 18u + 256u * 256u * 4u);
}

TEST(Resources, SoundsAndGameConstants) {
  const Bytes sounds = Race("war3map.w3s");
  Reader r(sounds);
  EXPECT_EQ(r.I32(), 1);
  EXPECT_EQ(r.I32(), 0);
  EXPECT_TRUE(r.AtEnd());

  const std::string misc = AsText(Race("war3mapMisc.txt"));
  ASSERT_EQ(misc.rfind("[Misc]\r\n", 0), 0u);
  std::stringstream lines(misc.substr(8));
  int keys = 0;
  for (std::string line; std::getline(lines, line);) {
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.back(), '\r');
    EXPECT_TRUE(std::regex_match(line, std::regex("\\w+=[0-9.]+\\r"))) << line;
    ++keys;
  }
  EXPECT_GT(keys, 5);
}

} // namespace
} // namespace racetest
