// Uncompressed 32-bit TGA, as the game and the editor read war3mapPreview.tga.
//
// An 18-byte header (no image id, no colour map, image type 2 = uncompressed
// true colour, 32 bits per pixel, descriptor 0x08 = 8 alpha bits with the first
// row at the bottom) followed by the pixels as blue, green, red, alpha.
#pragma once

#include <cstdint>
#include <vector>

#include "byte_writer.h"

namespace qvrace {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

// `pixels` holds width*height colours, row by row from the TOP left as one
// draws; the writer turns them bottom-up.
Bytes EncodeTga32(int width, int height, const std::vector<Rgba>& pixels);

constexpr std::size_t kTgaHeaderSize = 18;

} // namespace qvrace
