#pragma once
// PNG encoding of bitmaps, for pictures that people look at: 8-bit RGBA, straight alpha,
// top row first.

#include "raster/Bitmap.h"

// Writes the bitmap to a new file at path; false when the bitmap has no pixels or the
// file cannot be written completely (a partial file is removed).
bool PIX_WritePngFile(const PIX_IBitmap& bitmap, const char* path);
