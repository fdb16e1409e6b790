#include "gui/ImageStrip.h"

#include <algorithm>

#include "core/SafeNumbers.h"

int IImageStrip::FrameForValue(double value) const {
  const int frames = Frames();
  if (frames <= 1) return 1;
  return 1 + std::clamp(TruncateToInt((frames - 1) * value + 0.5), 0, frames - 1);
}
