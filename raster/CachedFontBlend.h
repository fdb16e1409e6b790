#pragma once
// Draws the bytes of one glyph image onto a bitmap: each non-zero byte combines a source
// pixel (the text colour, or the effect colour for the effect bytes of shadow and outline
// glyphs, at alpha 255) into its target pixel with the per-pixel rule of the combine kind,
// weighted by the byte (coverage glyphs) or by the opacity alone (two-tone glyphs).

#include <cstdint>

#include "raster/Bitmap.h"

struct GlyphPaint {
  PIX_PixelValue text;
  PIX_PixelValue effect;
  int mode;       // combine mode; only the kind is used
  float alpha;    // the font's opacity
  bool twoTone;   // mono, shadow or outline glyph: bytes are 0, 128 or 255
};

// Draws the width × height block of the image whose first byte is image (rows imageWidth
// bytes apart) with its top-left at (x, y) of the target, which must hold it.
void BlendGlyphImage(PIX_IBitmap* target, const uint8_t* image, int imageWidth, int x, int y,
                     int width, int height, const GlyphPaint& paint);
