#include "raster/Soften.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "raster/BlendMath.h"

using namespace pix;

namespace {

constexpr int kStackWidth = 1024;

// Share of the rows above and below: a quarter of the one that exists at the top and
// bottom edges, an eighth of each inside.
PIX_PixelValue VerticalTerm(const PIX_PixelValue* above, const PIX_PixelValue* below, int i) {
  if (above == nullptr) return QuarterBytes(below[i]);
  if (below == nullptr) return QuarterBytes(above[i]);
  return EighthBytes(above[i]) + EighthBytes(below[i]);
}

// Softens row y in place; left neighbours are taken before they are overwritten.
void SoftenRow(PIX_PixelValue* row, const PIX_PixelValue* above, const PIX_PixelValue* below,
               int w) {
  PIX_PixelValue left = row[0];
  row[0] = HalfBytes(left) + VerticalTerm(above, below, 0) + QuarterBytes(row[1]);
  for (int i = 1; i < w - 1; ++i) {
    const PIX_PixelValue centre = row[i];
    row[i] = HalfBytes(centre) + VerticalTerm(above, below, i) + EighthBytes(left) +
             EighthBytes(row[i + 1]);
    left = centre;
  }
  row[w - 1] = HalfBytes(row[w - 1]) + VerticalTerm(above, below, w - 1) + QuarterBytes(left);
}

}  // namespace

void PIX_Soften(PIX_IBitmap* bitmap, int width, int height) {
  if (bitmap == nullptr) return;
  const int w = std::min(width, bitmap->Width());
  const int h = std::min(height, bitmap->Height());
  if (w < 2 || h < 2 || bitmap->PixelData() == nullptr) return;

  // Two rows of unprocessed pixels: the row above is read from here, as it was before
  // softening. Without a buffer the softened row above is used instead.
  PIX_PixelValue local[2 * kStackWidth];
  std::unique_ptr<PIX_PixelValue[]> heap;
  PIX_PixelValue* buffer = local;
  if (w > kStackWidth) {
    heap.reset(new (std::nothrow) PIX_PixelValue[2 * size_t(w)]);
    buffer = heap.get();
  }
  for (int y = 0; y < h; ++y) {
    PIX_PixelValue* row = bitmap->Row(y);
    const PIX_PixelValue* above = nullptr;
    if (y > 0) {
      // The last row always sees the softened row above.
      const bool original = buffer != nullptr && y < h - 1;
      above = original ? buffer + ((y - 1) & 1) * size_t(w) : bitmap->Row(y - 1);
    }
    const PIX_PixelValue* below = y < h - 1 ? bitmap->Row(y + 1) : nullptr;
    if (buffer != nullptr) {
      std::memcpy(buffer + (y & 1) * size_t(w), row, size_t(w) * sizeof(PIX_PixelValue));
    }
    SoftenRow(row, above, below, w);
  }
}
