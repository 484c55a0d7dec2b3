// The race's pictures and models, drawn by code.
//
// Every picture is made from one subject name (the part of the file name that
// names the hero, unit or ability), so a disabled icon shows exactly the picture
// of its enabled icon, and a rebuild writes the same bytes again.
//
// Icons use a 256-colour palette of two ramps: entries 0-127 run from dark to
// light in the race's green, 128-255 from dark to light in the subject's own
// accent colour. A disabled icon keeps the indices and swaps the palette for a
// darkened grey one, which is how the game's own disabled buttons look.
#pragma once

#include <string>
#include <vector>

#include "blp_writer.h"
#include "mdx_writer.h"
#include "tga_writer.h"

namespace qvrace {

enum class IconFrame {
  kCommand, // bevelled square, as on command buttons
  kPassive, // dark frame, as on passive ability buttons
  kCard,    // no frame, a round picture fading out at the edges (alpha)
};

PalettedImage RenderIcon(const std::string& subject, IconFrame frame, int size = 64);

// The same picture, greyed and darkened.
PalettedImage Disabled(const PalettedImage& image);

// The race's green ramp (entries 0-127) and a ramp of `hue` (128-255).
std::array<Bgra, 256> RacePalette(float hue_degrees);

// war3mapPreview.tga: the race's emblem on a clearing.
std::vector<Rgba> RenderPreview(int width, int height);

enum class ModelKind { kHero, kUnit, kBuilding, kMissile, kPortrait };

MdxModel BuildModel(const std::string& name, ModelKind kind);

// FNV-1a of the subject: the seed every picture and model is drawn from.
std::uint32_t SubjectSeed(const std::string& subject);

} // namespace qvrace
