#include "raster/Hsv.h"

#include <array>
#include <cstdint>

#include "raster/BlendMath.h"

namespace {

// R[0] = 0, R[i] = floor(65536 / i) - 1: division by the channel range as a multiply.
constexpr std::array<uint16_t, 256> MakeReciprocals() {
  std::array<uint16_t, 256> table{};
  for (int i = 1; i < 256; ++i) table[i] = static_cast<uint16_t>(65536 / i - 1);
  return table;
}
constexpr std::array<uint16_t, 256> kReciprocal = MakeReciprocals();

struct HueSector {
  int max;
  int min;
  int base;
  int numerator;
};

// The five cases are tested in this order; hue bases differ from the sector starts (383
// rather than 384 for the red-magenta side) and yellow lands on 63, not 64.
HueSector FindSector(int r, int g, int b) {
  if (r < g) {
    if (b < g) return {g, r < b ? r : b, 128, b - r};
    return {b, r, 256, r - g};
  }
  if (b < r) {
    if (g < b) return {r, g, 383, g - b};
    return {r, b, 0, g - b};
  }
  return {b, g, 256, r - g};
}

// (16384 - k * s) * v / 16384, in 64 bits so that any hue stays defined.
int Sector(int64_t k, int64_t s, int64_t v) {
  return static_cast<int>((16384 - k * s) * v / 16384);
}

}  // namespace

PIX_Hsv PIX_RgbToHsv(int red, int green, int blue) {
  const HueSector sector = FindSector(pix::Clamp255(red), pix::Clamp255(green),
                                      pix::Clamp255(blue));
  const int range = sector.max - sector.min;
  PIX_Hsv hsv;
  hsv.value = sector.max;
  hsv.hue = sector.base + pix::Div1024((kReciprocal[range] + 1) * sector.numerator);
  hsv.saturation = pix::Div256(kReciprocal[sector.max] * range);
  return hsv;
}

PIX_PixelValue PIX_HsvToPixel(int hue, int saturation, int value, int alpha) {
  const int64_t h = hue, s = saturation, v = value;
  const int lo = static_cast<int>((256 - s) * v / 256);
  const int full = value;
  int red, green, blue;
  if (h < 64) {
    red = full, green = Sector(64 - h, s, v), blue = lo;
  } else if (h < 128) {
    red = Sector(h - 64, s, v), green = full, blue = lo;
  } else if (h < 192) {
    red = lo, green = full, blue = Sector(192 - h, s, v);
  } else if (h < 256) {
    red = lo, green = Sector(h - 192, s, v), blue = full;
  } else if (h < 320) {
    red = Sector(320 - h, s, v), green = lo, blue = full;
  } else {
    red = full, green = lo, blue = Sector(h - 320, s, v);
  }
  return pix::MakePixel(blue, green, red, alpha);
}
