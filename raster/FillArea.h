#pragma once
// Fills a rectangle of a bitmap with one colour under an opacity and a combine kind. With
// PIX_COMBINE_SOURCE_ALPHA the opacity is first scaled by the colour's own alpha. Empty or
// clipped-away rectangles, zero opacity and unknown kinds draw nothing.

#include "raster/Bitmap.h"
#include "raster/CombineMode.h"

void PIX_FillArea(PIX_IBitmap* destination, int x, int y, int width, int height,
                  PIX_PixelValue colour, float alpha, int mode);
