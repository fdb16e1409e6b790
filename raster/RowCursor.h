#pragma once
// Walks the rows of a bitmap from a starting pixel without asking the bitmap for every
// row: one step is the row stride, negative for a bottom-up bitmap.

#include <cstddef>

#include "raster/Bitmap.h"

namespace pix {

class RowCursor {
 public:
  // Starts at pixel (x, y); the bitmap must have storage.
  RowCursor(const PIX_IBitmap& bitmap, int x, int y)
      : row_(bitmap.Row(y) + x),
        step_(bitmap.IsBottomUp() ? -ptrdiff_t{bitmap.RowStride()} : bitmap.RowStride()) {}

  PIX_PixelValue* Row() const { return row_; }
  void Next() { row_ += step_; }

 private:
  PIX_PixelValue* row_;
  ptrdiff_t step_;
};

}  // namespace pix
