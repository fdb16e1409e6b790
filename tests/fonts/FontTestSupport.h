#pragma once
// Shared pieces of the font tests: real system fonts attached to cached fonts, and ink
// boxes of bitmaps.

#include <algorithm>
#include <memory>

#include "platform/FontFace.h"
#include "raster/CachedFont.h"
#include "raster/MemBitmap.h"

constexpr PIX_PixelValue kPaper = 0xFF204060;

inline std::unique_ptr<PIX_CachedFont> MakeCachedFont(int options, int height = 20,
                                                      const char* face = "Arial",
                                                      bool italic = false) {
  auto font = std::make_unique<PIX_CachedFont>();
  font->UseSystemFont(CreateFontA(height, 0, 0, 0, 400, italic, 0, 0, 0, 0, 0, 0, 0, face),
                      options | PIX_FONTOPT_OWNS_FONT);
  return font;
}

inline void Paint(PIX_IBitmap& bitmap, PIX_PixelValue colour) {
  for (int y = 0; y < bitmap.Height(); ++y) std::fill(bitmap.Row(y), bitmap.Row(y) + bitmap.Width(), colour);
}

struct InkBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};

inline InkBox FindInk(const PIX_IBitmap& bitmap, PIX_PixelValue paper = kPaper) {
  InkBox box;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.Row(y)[x] != paper) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
      }
  return box;
}
