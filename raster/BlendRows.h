#pragma once
// Row loops of the combine kinds that the editor uses most, vectorised where the weight
// allows it and plain per pixel otherwise; both give the same bytes. Shared by
// PIX_Composite and PIX_FillArea.

#include "raster/Bitmap.h"

namespace pix {

// The vector loops under the row functions: the widest the processor has unless a caller
// (the tests) picks another. False, and nothing changed, when the processor lacks the set.
enum class VectorLoops { kSse2, kAvx2, kWidest };
bool UseVectorLoops(VectorLoops set);

// Copy of all four channels; rows that overlap are copied as by memmove.
void CopyRow(PIX_PixelValue* d, const PIX_PixelValue* s, int n);

// Weighted copy of all four channels: d = s + div256((d - s) * keep), keep = 256 - weight.
void CopyRowWeighted(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int keep);
// Copy weighted by each source pixel's alpha at full opacity; alpha 0 leaves d alone.
void CopyRowSourceAlphaFull(PIX_PixelValue* d, const PIX_PixelValue* s, int n);
// Copy weighted by div256((source alpha + 1) * weight); alpha 0 leaves d alone.
void CopyRowSourceAlpha(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int weight);
// d = clamp(d + div256(s * weight)), all four channels.
void AddRow(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int weight);
// Every channel becomes (s >> 1) + (d >> 1).
void HalfAverageRow(PIX_PixelValue* d, const PIX_PixelValue* s, int n);
// Every pixel becomes the colour.
void FillRowSolid(PIX_PixelValue* d, int n, PIX_PixelValue colour);
// Every channel becomes term + (d >> 1 when half) + (d >> 2 when quarter), per byte; the
// caller keeps every byte sum below 256.
void FillRowShifted(PIX_PixelValue* d, int n, PIX_PixelValue term, bool half, bool quarter);

}  // namespace pix
