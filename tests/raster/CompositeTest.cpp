#include <gtest/gtest.h>

#include <cmath>

#include "RasterTestUtil.h"
#include "raster/Composite.h"
#include "raster/Hsv.h"
#include "raster/MemBitmap.h"

using namespace rtest;

namespace {

int Dodge(int s, int d, int w) {
  const int k = 256 - D256(s * w);
  return k < 2 ? Clamp(d * 256) : Clamp(d * 256 / k);
}
int Overlay(int s, int d, int w) {
  const int t = s * w + (256 - w) * 128;
  return Clamp(((D256((32768 - t) * d) + t) * d) >> 15);
}

PIX_PixelValue Hsv(PIX_PixelValue d, PIX_PixelValue s, int w) {
  PIX_Hsv hsv = PIX_RgbToHsv(Ch(d, 2), Ch(d, 1), Ch(d, 0));
  hsv.hue += D256((Ch(s, 2) / 2 + Ch(s, 2) - 192) * w);
  hsv.hue += hsv.hue < 0 ? 384 : hsv.hue >= 384 ? -384 : 0;
  hsv.saturation = Clamp(hsv.saturation + (Ch(s, 1) - 128) * w / 128);
  hsv.value = Clamp(hsv.value + (Ch(s, 0) - 128) * w / 128);
  return PIX_HsvToPixel(hsv.hue, hsv.saturation, hsv.value, Ch(s, 3));
}

// The combine rules written per channel, one pixel at a time.
PIX_PixelValue Reference(PIX_PixelValue d, PIX_PixelValue s, float alpha, int kind, bool flag) {
  const int a = int(double(alpha) * 256.0);
  const int sa = Ch(s, 3);
  if (kind == PIX_COMBINE_COPY && !flag && alpha == 0.5f) {
    return ((s >> 1) & 0x7F7F7F7F) + ((d >> 1) & 0x7F7F7F7F);
  }
  if (a == 0) return d;
  const int w = flag ? D256((sa + 1) * a) : a;
  const bool skip = flag && sa == 0;
  int out[4];
  for (int c = 0; c < 4; ++c) {
    const int sv = Ch(s, c), dv = Ch(d, c);
    switch (kind) {
      case PIX_COMBINE_COPY:
        if (flag) {
          const int k = a == 256 ? 255 - sa : 256 - w;
          out[c] = c < 3 ? sv + D256((dv - sv) * k) : std::min(255, dv + (a == 256 ? sa : w));
        } else {
          out[c] = a <= 0 ? dv : a == 256 ? sv : sv + D256((dv - sv) * (256 - a));
        }
        break;
      case PIX_COMBINE_ADD: out[c] = Clamp(dv + D256(sv * w)); break;
      case PIX_COMBINE_DODGE: out[c] = Dodge(sv, dv, w); break;
      case PIX_COMBINE_MULTIPLY: out[c] = ((sv * w + (256 - w) * 256) * dv) >> 16; break;
      case PIX_COMBINE_OVERLAY: out[c] = Overlay(sv, dv, w); break;
      default: return Hsv(d, s, w);
    }
  }
  if (skip && kind != PIX_COMBINE_DODGE && kind != PIX_COMBINE_OVERLAY) return d;
  return Px(out[0], out[1], out[2], out[3]);
}

// Blue meets every (s, d) pair: the source's blue runs with x, the destination's with y.
// Alpha varies so that groups of four pixels are all opaque, all transparent or mixed.
PIX_PixelValue SourcePattern(int x, int y) {
  const int alpha = y % 8 == 0 ? 255 : y % 8 == 1 ? 0 : y % 8 == 2 ? (x & 4) * 255 / 4
                                                                   : x * 3 + y * 5;
  return Px(x, y, x + y, alpha);
}
PIX_PixelValue DestinationPattern(int x, int y) { return Px(y, x * 7, x ^ y, x + 2 * y); }

// 259 source columns (a vector tail of three) onto destination column 1 (unaligned rows).
void ExpectMatchesReference(float alpha, int kind, bool flag) {
  PIX_MemBitmap source(259, 256), destination(260, 256);
  Paint(source, SourcePattern);
  Paint(destination, [](int x, int y) { return DestinationPattern(x - 1, y); });
  PIX_Composite(&destination, &source, 1, 0, nullptr, alpha,
                kind | (flag ? PIX_COMBINE_SOURCE_ALPHA : 0));
  int mismatches = 0;
  for (int y = 0; y < 256 && mismatches < 5; ++y) {
    EXPECT_EQ(destination.Row(y)[0], DestinationPattern(-1, y));
    for (int x = 0; x < 259; ++x) {
      const PIX_PixelValue expected =
          Reference(DestinationPattern(x, y), SourcePattern(x, y), alpha, kind, flag);
      if (destination.Row(y)[x + 1] != expected) {
        ADD_FAILURE() << "kind " << kind << " flag " << flag << " alpha " << alpha << " at "
                      << x << "," << y << ": " << std::hex << destination.Row(y)[x + 1]
                      << " expected " << expected;
        if (++mismatches == 5) break;
      }
    }
  }
}

TEST(Composite, EveryKindMatchesThePerChannelRulesForAllPairs) {
  const float alphas[] = {1.0f, 0.75f, 0.5f, 0.502f, 0.3f, 0.001f, -0.5f, 1.5f};
  for (int kind = PIX_COMBINE_COPY; kind <= PIX_COMBINE_HSV; ++kind) {
    for (bool flag : {false, true}) {
      for (float alpha : alphas) ExpectMatchesReference(alpha, kind, flag);
    }
  }
}

struct CompositeCase {
  const char* name;
  PIX_PixelValue source, destination;
  float alpha;
  int mode;
  PIX_PixelValue expected;
};

TEST(Composite, WorkedPixels) {
  const CompositeCase cases[] = {
      {"half average rounds down twice", Px(1, 1, 1, 1), Px(1, 1, 1, 1), 0.5f, 0, Px(0, 0, 0, 0)},
      {"weighted copy at 128", Px(1, 1, 1, 1), Px(1, 1, 1, 1), 0.502f, 0, Px(1, 1, 1, 1)},
      {"negative copy draws nothing", Px(9, 9, 9, 9), Px(5, 5, 5, 5), -0.5f, 0, Px(5, 5, 5, 5)},
      {"negative add subtracts", Px(100, 2, 0, 200), Px(90, 90, 90, 90), -0.5f, 1,
       Px(40, 89, 90, 0)},
      {"source alpha 0 keeps", Px(9, 9, 9, 0), Px(5, 5, 5, 5), 1.0f, 0x10000, Px(5, 5, 5, 5)},
      {"source alpha 255 replaces", Px(9, 8, 7, 255), Px(5, 5, 5, 5), 1.0f, 0x10000,
       Px(9, 8, 7, 255)},
      {"source alpha 128 on opaque", Px(200, 0, 0, 128), Px(0, 0, 0, 255), 1.0f, 0x10000,
       Px(101, 0, 0, 255)},
      {"dodge at k = 1", Px(255, 255, 255, 255), Px(0, 1, 200, 3), 1.0f, 2,
       Px(0, 255, 255, 255)},
      {"multiply by white", Px(255, 255, 255, 255), Px(0, 1, 128, 255), 1.0f, 3,
       Px(0, 0, 127, 254)},
      {"multiply by black", Px(0, 0, 0, 0), Px(10, 100, 128, 255), 1.0f, 3, Px(0, 0, 0, 0)},
      {"alpha into blue", Px(1, 2, 3, 4), Px(10, 20, 30, 40), 0.3f, 0xF3, Px(4, 20, 30, 40)},
      {"blue into alpha", Px(1, 2, 3, 4), Px(10, 20, 30, 40), 0.3f, 0xFC, Px(10, 20, 30, 1)},
      {"unknown kind", Px(1, 2, 3, 4), Px(10, 20, 30, 40), 1.0f, 6, Px(10, 20, 30, 40)},
      {"kind 0xEF", Px(1, 2, 3, 4), Px(10, 20, 30, 40), 1.0f, 0xEF, Px(10, 20, 30, 40)},
      {"high bits ignored", Px(1, 2, 3, 4), Px(10, 20, 30, 40), 1.0f, 0x7F000000,
       Px(1, 2, 3, 4)},
      {"NaN opacity draws nothing", Px(1, 2, 3, 4), Px(10, 20, 30, 40), std::nanf(""), 0,
       Px(10, 20, 30, 40)},
  };
  for (const CompositeCase& c : cases) {
    PIX_MemBitmap source(1, 1), destination(1, 1);
    *source.PixelData() = c.source;
    *destination.PixelData() = c.destination;
    PIX_Composite(&destination, &source, 0, 0, nullptr, c.alpha, c.mode);
    EXPECT_EQ(*destination.PixelData(), c.expected) << c.name;
  }
}

// Each source pixel holds its own coordinates; returns where source pixel (sx, sy) landed.
struct Landing {
  int x, y;
};
Landing Land(int x, int y, const IRectangle* rect, int sx, int sy) {
  PIX_MemBitmap source(10, 10), destination(20, 20);
  Paint(source, [](int px, int py) { return Px(px, py, 0, 255); });
  Paint(destination, [](int, int) { return Px(99, 99, 99, 0); });
  PIX_Composite(&destination, &source, x, y, rect, 1.0f, PIX_COMBINE_COPY);
  for (int py = 0; py < 20; ++py) {
    for (int px = 0; px < 20; ++px) {
      if (destination.Row(py)[px] == Px(sx, sy, 0, 255)) return {px, py};
    }
  }
  return {-1, -1};
}

TEST(Composite, ClipsTheSourceRectangleAndThePosition) {
  const IRectangle leftOutside{-3, 0, 10, 10};
  EXPECT_EQ(Land(5, 5, &leftOutside, 0, 0).x, 8);
  const Landing corner = Land(-2, -2, nullptr, 2, 2);
  EXPECT_EQ(corner.x, 0);
  EXPECT_EQ(corner.y, 0);
  EXPECT_EQ(Land(-2, -2, nullptr, 1, 1).x, -1);
  EXPECT_EQ(Land(15, 15, nullptr, 5, 5).x, -1);
  EXPECT_EQ(Land(15, 15, nullptr, 4, 4).x, 19);
}

TEST(Composite, OutOfRangeCallsLeaveTheDestinationAlone) {
  PIX_MemBitmap source(8, 8), destination(8, 8), empty;
  Paint(source, [](int, int) { return Px(1, 2, 3, 4); });
  Paint(destination, [](int, int) { return Px(5, 6, 7, 8); });
  const auto before = Pixels(destination);
  const IRectangle inverted{5, 5, 2, 2}, huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  PIX_Composite(nullptr, &source, 0, 0, nullptr, 1.0f, 0);
  PIX_Composite(&destination, nullptr, 0, 0, nullptr, 1.0f, 0);
  PIX_Composite(&destination, &empty, 0, 0, nullptr, 1.0f, 0);
  PIX_Composite(&destination, &source, 0, 0, nullptr, 0.0f, 0);
  PIX_Composite(&destination, &source, 8, 0, nullptr, 1.0f, 0);
  PIX_Composite(&destination, &source, INT32_MIN, INT32_MIN, nullptr, 1.0f, 0);
  PIX_Composite(&destination, &source, INT32_MAX, 0, nullptr, 1.0f, 0);
  PIX_Composite(&destination, &source, 0, 0, &inverted, 1.0f, 0);
  PIX_Composite(&destination, &source, 0, -INT32_MAX, &huge, 1.0f, 0);
  EXPECT_EQ(Pixels(destination), before);
}

TEST(Composite, HonoursBottomUpRowOrder) {
  BottomUpBitmap source(3, 4), destination(3, 4);
  PIX_MemBitmap plain(3, 4);
  Paint(source, [](int x, int y) { return Px(x, y, 7, 200); });
  Paint(destination, [](int x, int y) { return Px(y, x, 9, 100); });
  Paint(plain, [](int x, int y) { return Px(y, x, 9, 100); });
  const IRectangle rect{1, 1, 3, 3};
  PIX_Composite(&destination, &source, 0, 1, &rect, 0.7f, PIX_COMBINE_ADD);
  PIX_Composite(&plain, &source, 0, 1, &rect, 0.7f, PIX_COMBINE_ADD);
  EXPECT_EQ(Pixels(destination), Pixels(plain));
  EXPECT_EQ(destination.PixelData()[0], Px(3, 0, 9, 100));  // stored first: the bottom row
}

TEST(Hsv, WorkedConversions) {
  const struct { int r, g, b, hue, saturation, value; } cases[] = {
      {255, 255, 0, 63, 255, 255}, {255, 0, 128, 351, 255, 255}, {90, 90, 90, 256, 0, 90},
      {0, 255, 0, 128, 255, 255},  {0, 0, 255, 256, 255, 255},   {255, 0, 0, 0, 255, 255},
  };
  for (const auto& c : cases) {
    const PIX_Hsv hsv = PIX_RgbToHsv(c.r, c.g, c.b);
    EXPECT_EQ(hsv.hue, c.hue) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(hsv.saturation, c.saturation);
    EXPECT_EQ(hsv.value, c.value);
  }
  EXPECT_EQ(PIX_HsvToPixel(64, 255, 255, 255), Px(0, 255, 255, 255));
  EXPECT_EQ(PIX_HsvToPixel(256, 0, 90, 300), Px(90, 90, 90, 300 & 255));
}

// Converting to HSV and back stays within a few steps of the colour, in every sector.
TEST(Hsv, RoundTripStaysClose) {
  for (int r = 0; r < 256; r += 15) {
    for (int g = 0; g < 256; g += 15) {
      for (int b = 0; b < 256; b += 15) {
        const PIX_Hsv hsv = PIX_RgbToHsv(r, g, b);
        const PIX_PixelValue p = PIX_HsvToPixel(hsv.hue, hsv.saturation, hsv.value, 255);
        EXPECT_NEAR(Ch(p, 2), r, 4);
        EXPECT_NEAR(Ch(p, 1), g, 4);
        EXPECT_NEAR(Ch(p, 0), b, 4);
      }
    }
  }
}

}  // namespace
