#include "tga_writer.h"

#include <stdexcept>

namespace qvrace {

Bytes EncodeTga32(int width, int height, const std::vector<Rgba>& pixels) {
  if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF ||
      pixels.size() != static_cast<std::size_t>(width) * height)
    throw std::invalid_argument("TGA image with inconsistent size");
  ByteWriter w;
  w.U8(0);    // image id length
  w.U8(0);    // no colour map
  w.U8(2);    // uncompressed true colour
  w.Zeros(5); // colour map fields, unused
  w.U16(0);   // x origin
  w.U16(0);   // y origin
  w.U16(static_cast<std::uint16_t>(width));
  w.U16(static_cast<std::uint16_t>(height));
  w.U8(32);
  w.U8(0x08); // 8 alpha bits, bottom-left origin
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Rgba& p = pixels[static_cast<std::size_t>(y) * width + x];
      w.U8(p.b);
      w.U8(p.g);
      w.U8(p.r);
      w.U8(p.a);
    }
  }
  return w.Take();
}

} // namespace qvrace
