#pragma once
// An image cut into equal frames, side by side or stacked top to bottom. The image
// belongs to the image cache; a strip whose image failed to load has a null image and
// zero size, and draws nothing.

#include <cstdint>

#include "raster/Bitmap.h"

struct IImageStrip {
  PIX_IBitmap* image = nullptr;  // not owned
  int32_t width = 0;             // of the whole image
  int32_t height = 0;
  int32_t frameCount = 1;
  bool framesHorizontal = false;

  // Frame counts below 1 count as one frame.
  int Frames() const { return frameCount > 1 ? frameCount : 1; }
  int FrameWidth() const { return framesHorizontal ? width / Frames() : width; }
  int FrameHeight() const { return framesHorizontal ? height : height / Frames(); }
  // The frame (counted from 1) that shows a normalised value: 0 the first, 1 the last,
  // rounded to the nearest, limited to the strip.
  int FrameForValue(double value) const;
};
