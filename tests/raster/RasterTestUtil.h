#pragma once
// Shared helpers of the raster tests: pixel building, pattern bitmaps and the plain
// per-channel formulas of the combine kinds that the library's loops must reproduce.

#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"
#include "raster/MemBitmap.h"

namespace rtest {

inline PIX_PixelValue Px(int b, int g, int r, int a) {
  return uint32_t(b & 255) | uint32_t(g & 255) << 8 | uint32_t(r & 255) << 16 |
         uint32_t(a & 255) << 24;
}
inline int Ch(PIX_PixelValue p, int i) { return (p >> (8 * i)) & 255; }

inline int D256(int x) { return x / 256; }
inline int Clamp(int x) { return x < 0 ? 0 : x > 255 ? 255 : x; }

// A heap bitmap whose pixel (x, y) is f(x, y).
template <typename F>
void Paint(PIX_IBitmap& bitmap, F f) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.Row(y)[x] = f(x, y);
  }
}

inline std::vector<PIX_PixelValue> Pixels(const PIX_IBitmap& bitmap) {
  std::vector<PIX_PixelValue> out;
  for (int y = 0; y < bitmap.Height(); ++y) {
    out.insert(out.end(), bitmap.Row(y), bitmap.Row(y) + bitmap.Width());
  }
  return out;
}

// A heap bitmap that stores its rows bottom row first.
class BottomUpBitmap : public PIX_MemBitmap {
 public:
  using PIX_MemBitmap::PIX_MemBitmap;
  bool IsBottomUp() const override { return true; }
};

}  // namespace rtest
