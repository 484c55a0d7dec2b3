#include "blp_writer.h"

#include <stdexcept>

namespace qvrace {

int BlpMipmapCount(int width, int height) {
  int count = 1;
  while ((width > 1 || height > 1) && count < kBlpMaxMipmaps) {
    width = width > 1 ? width / 2 : 1;
    height = height > 1 ? height / 2 : 1;
    ++count;
  }
  return count;
}

namespace {

// Indices can't be averaged (neighbouring entries need not be similar colours),
// so a smaller level keeps one pixel of each 2x2 block. Alpha is a plain
// quantity and is averaged.
PalettedImage HalfSize(const PalettedImage& src) {
  PalettedImage dst;
  dst.width = src.width > 1 ? src.width / 2 : 1;
  dst.height = src.height > 1 ? src.height / 2 : 1;
  dst.palette = src.palette;
  dst.indices.resize(static_cast<std::size_t>(dst.width) * dst.height);
  if (!src.alpha.empty()) dst.alpha.resize(dst.indices.size());
  const int sx = src.width / dst.width;
  const int sy = src.height / dst.height;
  for (int y = 0; y < dst.height; ++y) {
    for (int x = 0; x < dst.width; ++x) {
      const std::size_t out = static_cast<std::size_t>(y) * dst.width + x;
      dst.indices[out] = src.indices[static_cast<std::size_t>(y * sy) * src.width + x * sx];
      if (!src.alpha.empty()) {
        unsigned sum = 0;
        for (int dy = 0; dy < sy; ++dy)
          for (int dx = 0; dx < sx; ++dx)
            sum += src.alpha[static_cast<std::size_t>(y * sy + dy) * src.width + x * sx + dx];
        dst.alpha[out] = static_cast<std::uint8_t>(sum / static_cast<unsigned>(sx * sy));
      }
    }
  }
  return dst;
}

} // namespace

Bytes EncodeBlp1(const PalettedImage& image) {
  const std::size_t pixels = static_cast<std::size_t>(image.width) * image.height;
  if (image.width <= 0 || image.height <= 0 || image.indices.size() != pixels ||
      (!image.alpha.empty() && image.alpha.size() != pixels))
    throw std::invalid_argument("BLP image with inconsistent size");
  const bool has_alpha = !image.alpha.empty();

  std::vector<PalettedImage> levels{image};
  const int count = BlpMipmapCount(image.width, image.height);
  while (static_cast<int>(levels.size()) < count)
    levels.push_back(HalfSize(levels.back()));

  ByteWriter w;
  w.Tag("BLP1");
  w.U32(1);
  w.U32(has_alpha ? 8 : 0);
  w.U32(static_cast<std::uint32_t>(image.width));
  w.U32(static_cast<std::uint32_t>(image.height));
  w.U32(has_alpha ? 4 : 5);
  w.U32(1);
  std::uint32_t offset = kBlpHeaderSize + kBlpPaletteSize;
  std::array<std::uint32_t, kBlpMaxMipmaps> offsets{}, sizes{};
  for (std::size_t i = 0; i < levels.size(); ++i) {
    offsets[i] = offset;
    sizes[i] = static_cast<std::uint32_t>(levels[i].indices.size() * (has_alpha ? 2 : 1));
    offset += sizes[i];
  }
  for (auto o : offsets)
    w.U32(o);
  for (auto s : sizes)
    w.U32(s);
  for (const Bgra& c : image.palette) {
    w.U8(c.b);
    w.U8(c.g);
    w.U8(c.r);
    w.U8(0); // the palette's fourth byte is not used as alpha by palettized BLP1
  }
  for (const PalettedImage& level : levels) {
    w.Raw(level.indices.data(), level.indices.size());
    if (has_alpha) w.Raw(level.alpha.data(), level.alpha.size());
  }
  return w.Take();
}

} // namespace qvrace
