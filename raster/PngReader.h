#pragma once
// PNG decoding into bitmaps: every colour type and bit depth becomes 8-bit straight-alpha
// pixels, top row first, with sample values as stored (no gamma or colour-space handling).
// Every failure returns null with nothing left open or allocated.

#include "raster/Bitmap.h"
#include "raster/ImageReaders.h"
#include "raster/MemBitmap.h"

// Decodes PNG bytes into a new bitmap owned by the caller.
PIX_MemBitmap* PIX_ReadPngMemory(const unsigned char* bytes, int length);
// Decodes the file at a UTF-8 path. With a bitmap given, decodes into it (resized to the
// image) and returns it; a given bitmap is never destroyed, even on failure. Without one,
// returns a new PIX_MemBitmap owned by the caller.
PIX_IBitmap* PIX_ReadPngFile(const char* path, PIX_IBitmap* reuse);
// PIX_ReadPngFile behind an optional ".png" extension check (case-insensitive); a path that
// fails the check is not opened.
PIX_IBitmap* PIX_ReadPngByName(const char* path, bool checkExtension, PIX_IBitmap* reuse);
// File-dialog filter: "PNG files (*.PNG)", "*.PNG", then an empty string, each NUL-ended.
const char* PIX_PngFilterText();
// The PNG reader's record for the image-reader registry.
ImageReaderEntry* PIX_PngReaderEntry();
