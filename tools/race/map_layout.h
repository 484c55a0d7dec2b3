// The demo map's layout: its size, playable area, players and start
// locations, gold mines. The demo map's files and every map script we write
// (the race's, the melee one an uninstall puts back, the demo map's own)
// describe this one layout, so that they agree with each other. When the World
// Editor saves a map it writes main and config anew from the map's own
// settings, so the layout only matters until then.
#pragma once

#include <string>
#include <vector>

namespace qvrace {

struct PlayerSlot {
  float start_x, start_y;
  int race;                // w3i race: 1 human, 2 orc, 3 undead, 4 night elf
  const char* race_pref;   // the same as a JASS constant, RACE_PREF_HUMAN ...
  const char* name_string; // TRIGSTR_00n
};

struct GoldMine {
  float x, y;
  int gold;
};

struct MapLayout {
  std::string name_string; // TRIGSTR references into the map's war3map.wts
  std::string author_string;
  std::string description_string;
  std::string players_string;
  std::string force_string;
  char tileset;       // main tileset letter, 'L' = Lordaeron Summer
  int width, height;  // in tiles (the terrain has one more corner each way)
  float left, bottom; // world position of the terrain's first corner
  int margin_left, margin_right, margin_bottom, margin_top; // tiles outside the playable area
  std::vector<PlayerSlot> players;
  std::vector<GoldMine> mines;
};

struct Bounds {
  float left, bottom, right, top;
};

constexpr float kTileSize = 128.0f;

// Tile counts and pixel positions meet world coordinates in float arithmetic.
inline float Float(int v) {
  return static_cast<float>(v);
}

const MapLayout& DemoLayout();
Bounds PlayableBounds(const MapLayout& layout);
// The camera may not leave these; they sit inside the playable area.
Bounds CameraBounds(const MapLayout& layout);

} // namespace qvrace
