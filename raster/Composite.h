#pragma once
// The library's only blit: combines a source bitmap, or a rectangle of it (source
// coordinates, right and bottom exclusive; null for the whole source), into a destination
// at (x, y), one source pixel per destination pixel, with a global opacity and a combine
// mode. Anything that cannot be drawn (null bitmaps, zero opacity, empty or clipped-away
// region, missing storage, unknown kind) leaves the destination untouched.

#include "raster/Bitmap.h"
#include "raster/CombineMode.h"
#include "raster/Rectangle.h"

void PIX_Composite(PIX_IBitmap* destination, PIX_IBitmap* source, int x, int y,
                   const IRectangle* sourceRect, float alpha, int mode);
