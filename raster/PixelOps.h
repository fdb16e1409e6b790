#pragma once
// Per-pixel operators that combine one source colour (red, green, blue, alpha) into one
// destination pixel with an integer weight (256 = full). Shared by the blit, the fill and
// the glyph drawing.

#include "raster/Bitmap.h"

// Clamps each value to 0-255 and stores the four bytes.
void PIX_StoreClamped(PIX_PixelValue* pixel, int red, int green, int blue, int alpha);
void PIX_DodgePixel(PIX_PixelValue* pixel, int red, int green, int blue, int alpha,
                    int weight);
void PIX_OverlayPixel(PIX_PixelValue* pixel, int red, int green, int blue, int alpha,
                      int weight);
// Red shifts the hue, green the saturation, blue the value (128 = unchanged); the pixel's
// alpha becomes the given alpha.
void PIX_HsvAdjustPixel(PIX_PixelValue* pixel, int red, int green, int blue, int alpha,
                        int weight);
