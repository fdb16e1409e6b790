#pragma once
// Integer hue / saturation / value conversions. Hue runs 0-383 in six sectors of 64 (0 red,
// 64 yellow, 128 green, 192 cyan, 256 blue, 320 magenta); saturation and value run 0-255.

#include "raster/Bitmap.h"

struct PIX_Hsv {
  int hue;
  int saturation;
  int value;
};

PIX_Hsv PIX_RgbToHsv(int red, int green, int blue);
// Each channel is masked to 8 bits, alpha included.
PIX_PixelValue PIX_HsvToPixel(int hue, int saturation, int value, int alpha);
