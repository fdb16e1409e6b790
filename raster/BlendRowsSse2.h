#pragma once
// The row loops on SSE2, which every x86-64 processor has: four pixels at a time.

#include "raster/VectorRowLoops.h"

#if defined(__x86_64__)
namespace pix {
extern const VectorRowLoops kSse2RowLoops;
// The copy of both sets: where measured, 16-byte moves copied rows faster than 32-byte ones
// (and than memmove).
int CopyRowSse2(PIX_PixelValue* d, const PIX_PixelValue* s, int n);
}  // namespace pix
#endif
