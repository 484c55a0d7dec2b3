// Writes the program's icon: one 32 x 32 image at 24 bits per pixel in the .ico
// format that resource compilers take. The picture is drawn here rather than kept
// in the repository: a gold "V" on a green rounded square with a gold rim.
//
//   qvgui-make-icon <output.ico>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSize = 32;
constexpr int kSamples = 4; // per axis, for smooth edges

struct Rgb {
  double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Distance from point p to the segment a-b.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
  t = std::clamp(t, 0.0, 1.0);
  const double cx = ax + t * dx - px, cy = ay + t * dy - py;
  return std::sqrt(cx * cx + cy * cy);
}

// Signed distance to a rounded square filling the image (negative inside).
double RoundedSquare(double x, double y, double half, double radius) {
  const double qx = std::fabs(x - kSize / 2.0) - (half - radius);
  const double qy = std::fabs(y - kSize / 2.0) - (half - radius);
  const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - radius;
}

// The colour at one sample point; `inside` tells whether it belongs to the icon.
Rgb Sample(double x, double y, bool* inside) {
  const Rgb dark_green{18, 64, 32}, light_green{60, 150, 70};
  const Rgb gold{236, 190, 60}, deep_gold{170, 120, 30};

  const double outer = RoundedSquare(x, y, 15.5, 6.0);
  *inside = outer <= 0.0;
  if (!*inside) return {0, 0, 0};

  // Light from the top left.
  const double shade = std::clamp((x + y) / (2.0 * kSize), 0.0, 1.0);
  Rgb colour = Mix(light_green, dark_green, shade);

  if (outer > -2.0) return Mix(gold, deep_gold, shade); // the rim

  const double v =
      std::min(SegmentDistance(x, y, 8.5, 8.0, 16.0, 25.0), SegmentDistance(x, y, 23.5, 8.0, 16.0, 25.0));
  if (v < 2.6)
    colour = Mix(gold, deep_gold, shade * 0.8);
  else if (v < 3.6)
    colour = Mix(colour, Rgb{8, 30, 14}, 0.6); // a thin outline
  return colour;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, unsigned v) {
  Put16(out, v & 0xFFFF);
  Put16(out, (v >> 16) & 0xFFFF);
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qvgui-make-icon <output.ico>\n");
    return 2;
  }

  // Colour rows (blue, green, red) and the transparency mask, both bottom-up.
  constexpr unsigned kColourRow = kSize * 3;             // already a multiple of 4
  constexpr unsigned kMaskRow = ((kSize + 31) / 32) * 4; // one bit per pixel, 4-byte rows
  std::vector<std::uint8_t> colour(kColourRow * kSize), mask(kMaskRow * kSize, 0);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      Rgb sum{0, 0, 0};
      int covered = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          bool inside = false;
          Rgb c = Sample(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples, &inside);
          if (!inside) continue;
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
          ++covered;
        }
      }
      const int row = kSize - 1 - y;
      std::uint8_t* px = &colour[row * kColourRow + x * 3];
      if (covered * 2 < kSamples * kSamples) { // mostly outside: transparent
        mask[row * kMaskRow + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        px[0] = px[1] = px[2] = 0;
        continue;
      }
      px[0] = static_cast<std::uint8_t>(std::lround(sum.b / covered));
      px[1] = static_cast<std::uint8_t>(std::lround(sum.g / covered));
      px[2] = static_cast<std::uint8_t>(std::lround(sum.r / covered));
    }
  }

  const unsigned image_bytes = 40 + static_cast<unsigned>(colour.size() + mask.size());
  std::vector<std::uint8_t> ico;
  // Icon directory: reserved, type 1 (icon), one image.
  Put16(ico, 0);
  Put16(ico, 1);
  Put16(ico, 1);
  // Its entry: width, height, no palette, reserved, 1 plane, 24 bits, size, offset.
  ico.push_back(kSize);
  ico.push_back(kSize);
  ico.push_back(0);
  ico.push_back(0);
  Put16(ico, 1);
  Put16(ico, 24);
  Put32(ico, image_bytes);
  Put32(ico, 6 + 16);
  // The image: a bitmap header whose height counts the colour rows and the mask rows.
  Put32(ico, 40);
  Put32(ico, kSize);
  Put32(ico, kSize * 2);
  Put16(ico, 1);
  Put16(ico, 24);
  Put32(ico, 0); // no compression
  Put32(ico, static_cast<unsigned>(colour.size() + mask.size()));
  Put32(ico, 0);
  Put32(ico, 0);
  Put32(ico, 0);
  Put32(ico, 0);
  ico.insert(ico.end(), colour.begin(), colour.end());
  ico.insert(ico.end(), mask.begin(), mask.end());

  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const bool ok = std::fwrite(ico.data(), 1, ico.size(), file) == ico.size();
  if (std::fclose(file) != 0 || !ok) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
