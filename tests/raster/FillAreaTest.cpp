#include <gtest/gtest.h>

#include "RasterTestUtil.h"
#include "raster/FillArea.h"
#include "raster/Hsv.h"
#include "raster/MemBitmap.h"

using namespace rtest;

namespace {

// The fill rules per channel; the alpha channel's source value is the weight itself.
PIX_PixelValue Reference(PIX_PixelValue d, PIX_PixelValue colour, int a, int kind) {
  if (kind == PIX_COMBINE_COPY && (a == 256 || a == 128 || a == 64 || a == 192)) {
    const PIX_PixelValue c = colour, h = (d >> 1) & 0x7F7F7F7F, q = (d >> 2) & 0x3F3F3F3F;
    const PIX_PixelValue ch = (c >> 1) & 0x7F7F7F7F, cq = (c >> 2) & 0x3F3F3F3F;
    return a == 256 ? c : a == 128 ? ch + h : a == 64 ? cq + h + q : cq + ch + q;
  }
  if (a == 0 || (kind == PIX_COMBINE_COPY && a < 0)) return d;
  if (kind == PIX_COMBINE_HSV) {
    PIX_Hsv hsv = PIX_RgbToHsv(Ch(d, 2), Ch(d, 1), Ch(d, 0));
    const int r = Ch(colour, 2);
    hsv.hue += D256((r / 2 + r - 192) * a);
    hsv.hue += hsv.hue < 0 ? 384 : hsv.hue >= 384 ? -384 : 0;
    hsv.saturation = Clamp(hsv.saturation + (Ch(colour, 1) - 128) * a / 128);
    hsv.value = Clamp(hsv.value + (Ch(colour, 0) - 128) * a / 128);
    return PIX_HsvToPixel(hsv.hue, hsv.saturation, hsv.value, a);
  }
  int out[4];
  for (int c = 0; c < 4; ++c) {
    const int s = c < 3 ? Ch(colour, c) : a, dv = Ch(d, c);
    const int k = 256 - D256(s * a), t = s * a + (256 - a) * 128;
    switch (kind) {
      case PIX_COMBINE_COPY: out[c] = s + D256((dv - s) * (256 - a)); break;
      case PIX_COMBINE_ADD: out[c] = Clamp(dv + D256(s * a)); break;
      case PIX_COMBINE_DODGE: out[c] = k < 2 ? Clamp(dv * 256) : Clamp(dv * 256 / k); break;
      case PIX_COMBINE_MULTIPLY: out[c] = ((((s - 256) * a) + 65536) * dv) >> 16; break;
      default: out[c] = Clamp(((D256((32768 - t) * dv) + t) * dv) >> 15); break;
    }
  }
  return Px(out[0], out[1], out[2], out[3]);
}

// Every destination value in every channel, a fill of 259 columns at column 1.
TEST(FillArea, EveryKindMatchesThePerChannelRulesForAllValues) {
  const PIX_PixelValue colours[] = {Px(0, 128, 255, 255), Px(17, 200, 90, 0), Px(255, 255, 255, 40)};
  const float alphas[] = {1.0f, 0.5f, 0.25f, 0.75f, 0.9f, 0.3f, -0.4f, 1.25f};
  auto pattern = [](int x, int y) { return Px(x, 255 - x, x ^ y, y); };
  for (int kind = PIX_COMBINE_COPY; kind <= PIX_COMBINE_HSV; ++kind) {
    for (PIX_PixelValue colour : colours) {
      for (float alpha : alphas) {
        PIX_MemBitmap bitmap(261, 256);
        Paint(bitmap, pattern);
        PIX_FillArea(&bitmap, 1, 0, 259, 256, colour, alpha, kind);
        const int a = int(double(alpha) * 256);
        int mismatches = 0;
        for (int y = 0; y < 256 && mismatches < 3; ++y) {
          for (int x = 0; x < 261; ++x) {
            const PIX_PixelValue before = pattern(x, y);
            PIX_PixelValue expected = x >= 1 && x < 260 ? Reference(before, colour, a, kind) : before;
            if (kind == PIX_COMBINE_HSV && a >= 256 && x >= 1 && x < 260) {
              expected |= 0xFF000000;  // full weight stores an opaque pixel
            }
            if (bitmap.Row(y)[x] != expected && ++mismatches <= 3) {
              ADD_FAILURE() << "kind " << kind << " colour " << std::hex << colour << " alpha "
                            << alpha << " at " << std::dec << x << "," << y << ": " << std::hex
                            << bitmap.Row(y)[x] << " expected " << expected;
            }
          }
        }
      }
    }
  }
}

TEST(FillArea, WorkedFills) {
  const struct {
    const char* name;
    PIX_PixelValue before, colour;
    float alpha;
    int mode;
    PIX_PixelValue expected;
  } cases[] = {
      {"opaque copy keeps the colour's alpha 0", Px(1, 2, 3, 255), Px(0, 0, 255, 0), 1.0f, 0,
       Px(0, 0, 255, 0)},
      {"alpha becomes the weight blend", Px(0, 0, 0, 255), Px(0, 0, 255, 0), 0.9f, 0,
       Px(0, 0, 230, 232)},
      {"add raises alpha by half the weight", Px(0, 0, 0, 100), Px(0, 0, 0, 0), 0.5f, 1,
       Px(0, 0, 0, 164)},
      {"add clamps alpha", Px(0, 0, 0, 250), Px(0, 0, 0, 255), 0.5f, 1, Px(0, 0, 0, 255)},
      {"source alpha 0 draws nothing", Px(1, 2, 3, 4), Px(9, 9, 9, 0), 1.0f, 0x10000,
       Px(1, 2, 3, 4)},
      {"source alpha scales the weight", Px(0, 0, 0, 0), Px(200, 0, 0, 128), 1.0f, 0x10000,
       Px(100, 0, 0, 64)},
      {"channel copy fills nothing", Px(1, 2, 3, 4), Px(9, 9, 9, 9), 1.0f, 0xF3,
       Px(1, 2, 3, 4)},
  };
  for (const auto& c : cases) {
    PIX_MemBitmap bitmap(1, 1);
    *bitmap.PixelData() = c.before;
    PIX_FillArea(&bitmap, 0, 0, 1, 1, c.colour, c.alpha, c.mode);
    EXPECT_EQ(*bitmap.PixelData(), c.expected) << c.name;
  }
}

TEST(FillArea, ClipsToTheBitmap) {
  PIX_MemBitmap bitmap(8, 8);
  Paint(bitmap, [](int, int) { return 0u; });
  PIX_FillArea(&bitmap, -5, -5, 10, 10, 0xFFFFFFFF, 1.0f, 0);
  PIX_FillArea(&bitmap, 7, 7, INT32_MAX, INT32_MAX, 0xFFFFFFFF, 1.0f, 0);
  PIX_FillArea(&bitmap, INT32_MIN, 0, INT32_MIN, 8, 0xFFFFFFFF, 1.0f, 0);
  PIX_FillArea(&bitmap, 8, 0, 4, 4, 0xFFFFFFFF, 1.0f, 0);
  PIX_FillArea(nullptr, 0, 0, 4, 4, 0xFFFFFFFF, 1.0f, 0);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool filled = (x < 5 && y < 5) || (x == 7 && y == 7);
      EXPECT_EQ(bitmap.Row(y)[x], filled ? 0xFFFFFFFFu : 0u) << x << "," << y;
    }
  }
}

}  // namespace
