#include "map_layout.h"

namespace qvrace {

const MapLayout& DemoLayout() {
  static const MapLayout layout = {
      "TRIGSTR_001",
      "TRIGSTR_004",
      "TRIGSTR_003",
      "TRIGSTR_002",
      "TRIGSTR_007",
      'L',
      32,
      32,
      -2048.0f,
      -2048.0f,
      4,
      4,
      4,
      4,
      {{-896.0f, -896.0f, 1, "RACE_PREF_HUMAN", "TRIGSTR_005"},
       {896.0f, 896.0f, 4, "RACE_PREF_NIGHTELF", "TRIGSTR_006"}},
      {{-384.0f, -1152.0f, 12500}, {384.0f, 1152.0f, 12500}},
  };
  return layout;
}

Bounds PlayableBounds(const MapLayout& l) {
  return {l.left + Float(l.margin_left) * kTileSize, l.bottom + Float(l.margin_bottom) * kTileSize,
          l.left + Float(l.width - l.margin_right) * kTileSize,
          l.bottom + Float(l.height - l.margin_top) * kTileSize};
}

Bounds CameraBounds(const MapLayout& l) {
  const Bounds p = PlayableBounds(l);
  return {p.left + 512.0f, p.bottom + 256.0f, p.right - 512.0f, p.top - 512.0f};
}

} // namespace qvrace
