#pragma once
// PNG encoding of bitmaps, for pictures that people look at: 8-bit RGBA, straight alpha,
// top row first.

#include <vector>

#include "raster/Bitmap.h"

// Encodes the bitmap into bytes (replacing what they held); false when the bitmap has no
// pixels or cannot be encoded.
bool PIX_EncodePng(const PIX_IBitmap& bitmap, std::vector<unsigned char>* bytes);

// Writes the bitmap to a new file at path; false when it cannot be encoded or the file
// cannot be written completely (a partial file is removed).
bool PIX_WritePngFile(const PIX_IBitmap& bitmap, const char* path);
