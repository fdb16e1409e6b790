#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "RasterTestUtil.h"
#include "raster/MemBitmap.h"
#include "raster/Soften.h"

using namespace rtest;

namespace {

PIX_PixelValue Shift(PIX_PixelValue p, int n) {
  const PIX_PixelValue masks[] = {0, 0x7F7F7F7F, 0x3F3F3F3F, 0x1F1F1F1F};
  return (p >> n) & masks[n];
}

// The kernel from a copy of the original: left, right and below are original values, above
// is original too except in the last row, which sees the softened row above.
void ReferenceSoften(std::vector<PIX_PixelValue>& px, int stride, int w, int h) {
  const std::vector<PIX_PixelValue> original = px;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      auto at = [&](const std::vector<PIX_PixelValue>& v, int dx, int dy) {
        return v[(y + dy) * stride + x + dx];
      };
      PIX_PixelValue out = Shift(at(original, 0, 0), 1);
      if (x == 0) out += Shift(at(original, 1, 0), 2);
      else if (x == w - 1) out += Shift(at(original, -1, 0), 2);
      else out += Shift(at(original, -1, 0), 3) + Shift(at(original, 1, 0), 3);
      if (y == 0) out += Shift(at(original, 0, 1), 2);
      else if (y == h - 1) out += Shift(at(px, 0, -1), 2);
      else out += Shift(at(original, 0, -1), 3) + Shift(at(original, 0, 1), 3);
      px[y * stride + x] = out;
    }
  }
}

TEST(Soften, MatchesTheKernelOnRandomPixels) {
  const struct { int bw, bh, w, h; } cases[] = {
      {2, 2, 2, 2}, {3, 3, 3, 3}, {9, 6, 7, 5}, {5, 4, 99, 99}, {1030, 4, 1030, 4}};
  std::mt19937 random(7);
  for (const auto& c : cases) {
    PIX_MemBitmap bitmap(c.bw, c.bh);
    Paint(bitmap, [&](int, int) { return PIX_PixelValue(random()); });
    std::vector<PIX_PixelValue> expected = Pixels(bitmap);
    ReferenceSoften(expected, c.bw, std::min(c.w, c.bw), std::min(c.h, c.bh));
    PIX_Soften(&bitmap, c.w, c.h);
    EXPECT_EQ(Pixels(bitmap), expected) << c.bw << "x" << c.bh;
  }
}

TEST(Soften, SpreadsAWhitePixelToItsNeighbours) {
  PIX_MemBitmap bitmap(5, 5);
  Paint(bitmap, [](int x, int y) { return x == 2 && y == 2 ? 0xFFFFFFFFu : 0u; });
  PIX_Soften(&bitmap, 5, 5);
  EXPECT_EQ(bitmap.Row(2)[2], 0x7F7F7F7Fu);
  for (auto [x, y] : {std::pair{1, 2}, {3, 2}, {2, 1}, {2, 3}}) {
    EXPECT_EQ(bitmap.Row(y)[x], 0x1F1F1F1Fu) << x << "," << y;
  }
  EXPECT_EQ(bitmap.Row(1)[1], 0u);
}

TEST(Soften, ThinOrMissingRegionsAreLeftAlone) {
  PIX_MemBitmap bitmap(5, 5), empty;
  Paint(bitmap, [](int x, int y) { return Px(x * 50, y * 50, 0, 255); });
  const auto before = Pixels(bitmap);
  PIX_Soften(&bitmap, 1, 5);
  PIX_Soften(&bitmap, 5, 1);
  PIX_Soften(&bitmap, -3, 5);
  PIX_Soften(&empty, 5, 5);
  PIX_Soften(nullptr, 5, 5);
  EXPECT_EQ(Pixels(bitmap), before);
}

}  // namespace
