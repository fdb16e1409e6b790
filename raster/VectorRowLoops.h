#pragma once
// The vector halves of the row loops behind BlendRows: each loop does a prefix of the row
// (perhaps all of it) and returns how many pixels it did; the plain per-pixel code finishes
// the row. One table per instruction set, each giving the same bytes as the plain code.

#include "raster/Bitmap.h"

namespace pix {

struct VectorRowLoops {
  // 0 <= keep <= 256.
  int (*copyWeighted)(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int keep);
  int (*sourceAlphaFull)(PIX_PixelValue* d, const PIX_PixelValue* s, int n);
  // 0 < weight < 256.
  int (*sourceAlpha)(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int weight);
  // 0 < weight <= 256.
  int (*add)(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int weight);
  int (*halfAverage)(PIX_PixelValue* d, const PIX_PixelValue* s, int n);
  int (*fillSolid)(PIX_PixelValue* d, int n, PIX_PixelValue colour);
  int (*fillShifted)(PIX_PixelValue* d, int n, PIX_PixelValue term, bool half, bool quarter);
  // The rows do not overlap.
  int (*copy)(PIX_PixelValue* d, const PIX_PixelValue* s, int n);
};

}  // namespace pix
