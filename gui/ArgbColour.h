#pragma once
// An editor colour: alpha, red, green and blue, each meant to lie in 0-255.

#include <cstdint>

#include "raster/Bitmap.h"

struct IArgbColour {
  int32_t alpha;
  int32_t red;
  int32_t green;
  int32_t blue;

  // The colour as a pixel, from the low 8 bits of each component.
  PIX_PixelValue Packed() const {
    return (PIX_PixelValue(alpha) & 0xFF) << 24 | (PIX_PixelValue(red) & 0xFF) << 16 |
           (PIX_PixelValue(green) & 0xFF) << 8 | (PIX_PixelValue(blue) & 0xFF);
  }
};

constexpr IArgbColour kOpaqueBlack{255, 0, 0, 0};
constexpr IArgbColour kOpaqueWhite{255, 255, 255, 255};
