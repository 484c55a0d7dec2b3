#include "art.h"

#include "map_layout.h"

#include <algorithm>
#include <cmath>

namespace qvrace {

std::uint32_t SubjectSeed(const std::string& subject) {
  std::uint32_t h = 2166136261u;
  for (unsigned char c : subject) {
    h ^= c;
    h *= 16777619u;
  }
  return h;
}

namespace {

constexpr float kPi = 3.14159265f;

float Clamp01(float v) {
  return v < 0 ? 0 : v > 1 ? 1 : v;
}

struct Rgb {
  float r, g, b;
};

Rgb Hsv(float hue, float sat, float val) {
  hue = std::fmod(hue, 360.0f) / 60.0f;
  const int sector = static_cast<int>(hue) % 6;
  const float f = hue - std::floor(hue);
  const float p = val * (1 - sat), q = val * (1 - sat * f), t = val * (1 - sat * (1 - f));
  switch (sector) {
  case 0:
    return {val, t, p};
  case 1:
    return {q, val, p};
  case 2:
    return {p, val, t};
  case 3:
    return {p, q, val};
  case 4:
    return {t, p, val};
  default:
    return {val, p, q};
  }
}

Rgb Mix(Rgb a, Rgb b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Bgra ToBgra(Rgb c) {
  auto byte = [](float v) { return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255.0f)); };
  Bgra out;
  out.r = byte(c.r);
  out.g = byte(c.g);
  out.b = byte(c.b);
  return out;
}

// A ramp through black-ish, the colour, and a pale highlight.
void FillRamp(std::array<Bgra, 256>& palette, int first, Rgb dark, Rgb mid, Rgb light) {
  for (int i = 0; i < 128; ++i) {
    const float t = Float(i) / 127.0f;
    palette[first + i] = ToBgra(t < 0.6f ? Mix(dark, mid, t / 0.6f) : Mix(mid, light, (t - 0.6f) / 0.4f));
  }
}

// The emblem shapes, in coordinates from -1 to 1 with y pointing down.
bool InShape(int shape, float u, float v, float turn) {
  const float r = std::sqrt(u * u + v * v);
  const float angle = std::atan2(v, u) + turn;
  switch (shape) {
  case 0: { // leaf, along the diagonal
    const float a = (u - v) * 0.7071f, b = (u + v) * 0.7071f;
    return std::fabs(a) < 0.72f && std::fabs(b) < 0.36f * (1 - (a / 0.72f) * (a / 0.72f));
  }
  case 1:
    return r < 0.55f; // orb
  case 2:
    return std::fabs(u) + std::fabs(v) < 0.68f; // diamond
  case 3:
    return r < 0.28f + 0.34f * std::pow(std::max(0.0f, std::cos(2.5f * angle)), 2.0f); // star
  case 4:
    return r > 0.32f && r < 0.6f; // ring
  case 5:
    return v > -0.62f && v < 0.58f && std::fabs(u) < (v + 0.62f) * 0.45f; // thorn
  case 6:
    return (std::fabs(u) < 0.17f && std::fabs(v) < 0.62f) || (std::fabs(v) < 0.17f && std::fabs(u) < 0.62f);
  default: { // crescent
    const float du = u - 0.25f, dv = v + 0.2f;
    return r < 0.6f && std::sqrt(du * du + dv * dv) > 0.48f;
  }
  }
}

} // namespace

std::array<Bgra, 256> RacePalette(float hue) {
  std::array<Bgra, 256> palette{};
  FillRamp(palette, 0, {0.03f, 0.07f, 0.03f}, {0.22f, 0.50f, 0.18f}, {0.80f, 0.92f, 0.55f});
  FillRamp(palette, 128, {0.06f, 0.04f, 0.02f}, Hsv(hue, 0.75f, 0.85f), Hsv(hue, 0.15f, 1.0f));
  return palette;
}

PalettedImage RenderIcon(const std::string& subject, IconFrame frame, int size) {
  const std::uint32_t seed = SubjectSeed(subject);
  const int shape = static_cast<int>(seed % 8);
  const float hue = static_cast<float>((seed >> 8) % 360);
  const float turn = static_cast<float>((seed >> 20) % 64) / 64.0f * 2 * kPi;
  const float veins = 3.0f + static_cast<float>((seed >> 26) % 4);
  const float phase = static_cast<float>((seed >> 11) % 97) / 97.0f * 2 * kPi;
  const float zoom = 0.85f + static_cast<float>((seed >> 3) % 26) / 100.0f; // emblem size

  PalettedImage img;
  img.width = img.height = size;
  img.palette = RacePalette(hue);
  img.indices.assign(static_cast<std::size_t>(size) * size, 0);
  if (frame == IconFrame::kCard) img.alpha.assign(img.indices.size(), 0);

  auto coord = [&](int p) { return (Float(p) + 0.5f) / Float(size) * 2 - 1; };
  auto inside = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < size && y < size && InShape(shape, coord(x) / zoom, coord(y) / zoom, turn);
  };
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float u = coord(x), v = coord(y);
      const float r = std::sqrt(u * u + v * v);
      float ground =
          0.22f + 0.38f * (1 - Clamp01(r / 1.4f)) + 0.06f * std::sin(veins * (u * 3 + v * 2) + phase);
      const int edge = std::min(std::min(x, y), std::min(size - 1 - x, size - 1 - y));
      if (frame == IconFrame::kCommand && edge < 3) ground = (x < size - 1 - y) ? 0.95f : 0.12f;
      if (frame == IconFrame::kPassive && edge < 5) ground = edge == 4 ? 0.7f : 0.03f;
      int index = static_cast<int>(std::lround(Clamp01(ground) * 127));
      if (inside(x, y) && (frame == IconFrame::kCard || edge >= 5)) {
        const bool outline = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
        const float du = u + 0.35f, dv = v + 0.35f;
        const float light =
            outline ? 0.05f : 0.3f + 0.7f * (1 - Clamp01(std::sqrt(du * du + dv * dv) / 1.3f));
        index = 128 + static_cast<int>(std::lround(Clamp01(light) * 127));
      }
      const std::size_t at = static_cast<std::size_t>(y) * size + x;
      img.indices[at] = static_cast<std::uint8_t>(index);
      if (frame == IconFrame::kCard)
        img.alpha[at] = static_cast<std::uint8_t>(std::lround(Clamp01((1.0f - r) / 0.2f) * 255));
    }
  }
  return img;
}

PalettedImage Disabled(const PalettedImage& image) {
  PalettedImage out = image;
  for (Bgra& c : out.palette) {
    const float luma = 0.299f * c.r + 0.587f * c.g + 0.114f * c.b;
    const auto grey = static_cast<std::uint8_t>(std::lround(luma * 0.45f));
    c.r = c.g = c.b = grey;
  }
  return out;
}

std::vector<Rgba> RenderPreview(int width, int height) {
  std::vector<Rgba> pixels(static_cast<std::size_t>(width) * height);
  const Rgb meadow{0.25f, 0.55f, 0.2f}, forest{0.05f, 0.2f, 0.06f}, leaf{0.55f, 0.85f, 0.3f};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float u = (Float(x) + 0.5f) / Float(width) * 2 - 1, v = (Float(y) + 0.5f) / Float(height) * 2 - 1;
      const float r = std::sqrt(u * u + v * v);
      const float grain = 0.5f + 0.5f * std::sin(17 * u + 5 * std::sin(9 * v)) * std::cos(13 * v);
      Rgb c = Mix(meadow, forest, Clamp01((r - 0.45f) / 0.6f) * (0.7f + 0.3f * grain));
      if (InShape(0, u * 1.3f, v * 1.3f, 0)) c = Mix(leaf, meadow, Clamp01(r * 1.5f));
      const Bgra b = ToBgra(c);
      pixels[static_cast<std::size_t>(y) * width + x] = {b.r, b.g, b.b, 255};
    }
  }
  return pixels;
}

namespace {

// Flat-shaded geometry: each triangle gets its own three vertices so that its
// normal is its face's normal.
class MeshBuilder {
public:
  explicit MeshBuilder(MdxModel& m) : m_(m) {}

  void Triangle(Vec3 a, Vec3 b, Vec3 c) {
    const Vec3 e1{b.x - a.x, b.y - a.y, b.z - a.z}, e2{c.x - a.x, c.y - a.y, c.z - a.z};
    Vec3 n{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
    const float len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (len > 0) n = {n.x / len, n.y / len, n.z / len};
    for (const Vec3& p : {a, b, c}) {
      m_.triangles.push_back(static_cast<std::uint16_t>(m_.vertices.size()));
      m_.vertices.push_back(p);
      m_.normals.push_back(n);
      m_.uvs.emplace_back(0.5f + p.x / 512.0f, 0.5f - p.z / 512.0f);
    }
  }

  // Six points around `c`; rx/ry across, rz up and down.
  void Octahedron(Vec3 c, float rx, float ry, float rz) {
    const Vec3 top{c.x, c.y, c.z + rz}, bottom{c.x, c.y, c.z - rz};
    const Vec3 ring[4] = {
        {c.x + rx, c.y, c.z}, {c.x, c.y + ry, c.z}, {c.x - rx, c.y, c.z}, {c.x, c.y - ry, c.z}};
    for (int i = 0; i < 4; ++i) {
      Triangle(top, ring[i], ring[(i + 1) % 4]);
      Triangle(bottom, ring[(i + 1) % 4], ring[i]);
    }
  }

  // A square pyramid standing on z = base.
  void Pyramid(Vec3 base, float half, float height) {
    const Vec3 apex{base.x, base.y, base.z + height};
    const Vec3 c[4] = {{base.x + half, base.y + half, base.z},
                       {base.x - half, base.y + half, base.z},
                       {base.x - half, base.y - half, base.z},
                       {base.x + half, base.y - half, base.z}};
    for (int i = 0; i < 4; ++i)
      Triangle(apex, c[i], c[(i + 1) % 4]);
    Triangle(c[0], c[2], c[1]);
    Triangle(c[0], c[3], c[2]);
  }

  // A box from z = base up by `height`, without its floor.
  void Box(Vec3 base, float half, float height) {
    const float z0 = base.z, z1 = base.z + height;
    const Vec3 lo[4] = {{base.x + half, base.y + half, z0},
                        {base.x - half, base.y + half, z0},
                        {base.x - half, base.y - half, z0},
                        {base.x + half, base.y - half, z0}};
    Vec3 hi[4];
    for (int i = 0; i < 4; ++i)
      hi[i] = {lo[i].x, lo[i].y, z1};
    for (int i = 0; i < 4; ++i) {
      const int j = (i + 1) % 4;
      Triangle(lo[i], lo[j], hi[j]);
      Triangle(lo[i], hi[j], hi[i]);
    }
    Triangle(hi[0], hi[1], hi[2]);
    Triangle(hi[0], hi[2], hi[3]);
  }

private:
  MdxModel& m_;
};

} // namespace

MdxModel BuildModel(const std::string& name, ModelKind kind) {
  MdxModel m;
  m.name = name;
  MeshBuilder mesh(m);
  const std::uint32_t seed = SubjectSeed(name);
  const float scale = 0.85f + static_cast<float>(seed % 31) / 100.0f;
  switch (kind) {
  case ModelKind::kHero:
    m.sequences = {{"Stand", 0, 2000},
                   {"Walk", 2200, 3200, false, 270},
                   {"Attack", 3400, 4400},
                   {"Spell", 4600, 5600},
                   {"Death", 5800, 7800, true}};
    mesh.Octahedron({0, 0, 70 * scale}, 30 * scale, 30 * scale, 60 * scale);
    mesh.Octahedron({0, 0, 150 * scale}, 18 * scale, 18 * scale, 22 * scale);
    mesh.Pyramid({0, 0, 165 * scale}, 10 * scale, 40 * scale); // a crown of thorns
    break;
  case ModelKind::kUnit:
    m.sequences = {{"Stand", 0, 2000},
                   {"Walk", 2200, 3200, false, 250},
                   {"Attack", 3400, 4400},
                   {"Death", 4600, 6600, true}};
    mesh.Octahedron({0, 0, 50 * scale}, 26 * scale, 26 * scale, 45 * scale);
    mesh.Octahedron({0, 0, 110 * scale}, 15 * scale, 15 * scale, 18 * scale);
    break;
  case ModelKind::kBuilding:
    m.sequences = {{"Stand", 0, 3000},
                   {"Stand Work", 3200, 5200},
                   {"Birth", 5400, 25400, true},
                   {"Death", 25600, 28600, true}};
    mesh.Box({0, 0, 0}, 150 * scale, 90 * scale);
    mesh.Pyramid({0, 0, 90 * scale}, 170 * scale, 140 * scale);
    break;
  case ModelKind::kMissile:
    m.sequences = {{"Stand", 0, 1000}, {"Birth", 1200, 1500, true}, {"Death", 1700, 2200, true}};
    mesh.Octahedron({0, 0, 0}, 14, 14, 14);
    break;
  case ModelKind::kPortrait:
    m.sequences = {{"Stand", 0, 2000}, {"Portrait", 2200, 4200}, {"Portrait Talk", 4400, 6400}};
    mesh.Octahedron({0, 0, 150}, 30, 30, 36);
    mesh.Pyramid({0, 0, 175}, 16, 50);
    break;
  }
  return m;
}

} // namespace qvrace
