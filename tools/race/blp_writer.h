// BLP1 images in their palettized form.
//
// Warcraft III reads two kinds of BLP1: JPEG-compressed and palettized. We write
// only the palettized kind, which needs no codec and keeps every pixel exact:
//
//   char[4]  "BLP1"
//   u32      compression      1 = palettized (0 would be JPEG)
//   u32      alpha bits       8 = an alpha byte per pixel follows the indices, 0 = opaque
//   u32      width, height
//   u32      picture type     4 = indices and alpha, 5 = indices only
//   u32      has mipmaps      1; the game samples smaller levels for distant or small views
//   u32[16]  mipmap offsets   from the start of the file, 0 for unused levels
//   u32[16]  mipmap sizes     in bytes, 0 for unused levels
//   u32[256] palette          blue, green, red, unused (one byte each)
//   then per level: width*height palette indices, row by row from the top left,
//   followed by width*height alpha bytes when alpha bits is 8.
//
// Levels halve each side (at least 1 pixel) down to 1x1.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "byte_writer.h"

namespace qvrace {

struct Bgra {
  std::uint8_t b = 0, g = 0, r = 0, a = 255;
};

struct PalettedImage {
  int width = 0;
  int height = 0;
  std::array<Bgra, 256> palette{};
  std::vector<std::uint8_t> indices; // width*height
  std::vector<std::uint8_t> alpha;   // empty when opaque, else width*height
};

constexpr std::size_t kBlpHeaderSize = 156;
constexpr std::size_t kBlpPaletteSize = 1024;
constexpr int kBlpMaxMipmaps = 16;

Bytes EncodeBlp1(const PalettedImage& image);

// How many mipmap levels an image of this size has (1x1 included).
int BlpMipmapCount(int width, int height);

} // namespace qvrace
