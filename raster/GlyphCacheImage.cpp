#include "raster/GlyphCacheImage.h"

#include <cstring>
#include <new>

#include "raster/CachedFontInterface.h"

namespace {
constexpr uint8_t kInk = 255;
constexpr uint8_t kEffect = 128;
constexpr int kMonoThreshold = 130;

int RedByte(PIX_PixelValue pixel) { return (pixel >> 16) & 0xFF; }

// Ink at (x, y), counting pixels outside the image as none.
bool InkAt(const uint8_t* image, int width, int height, int x, int y) {
  return x >= 0 && y >= 0 && x < width && y < height && image[y * width + x] == kInk;
}

bool ShadowFrom(const uint8_t* image, int w, int h, int x, int y) {
  return InkAt(image, w, h, x - 1, y) || InkAt(image, w, h, x - 1, y - 1) ||
         InkAt(image, w, h, x, y - 1);
}

bool OutlineFrom(const uint8_t* image, int w, int h, int x, int y) {
  return InkAt(image, w, h, x, y - 1) || InkAt(image, w, h, x, y + 1) ||
         InkAt(image, w, h, x - 1, y) || InkAt(image, w, h, x + 1, y);
}
}  // namespace

int CopyGlyphCoverage(const PIX_IBitmap& scratch, int width, int height, int advance,
                      bool invert, uint8_t* out) {
  int used = advance;
  for (int y = 0; y < height; ++y) {
    const PIX_PixelValue* row = scratch.Row(y);
    for (int x = 0; x < width; ++x) {
      const int red = RedByte(row[x]);
      *out++ = static_cast<uint8_t>(invert ? 255 - red : red);
      if (x >= used && red != 0) used = x + 1;
    }
  }
  return used;
}

void TrimGlyphRows(uint8_t* image, int width, int height, int usedWidth) {
  for (int y = 1; y < height; ++y) {
    std::memmove(image + y * usedWidth, image + y * width, static_cast<size_t>(usedWidth));
  }
}

bool TurnGlyphImage(uint8_t* image, int width, int height, bool upward) {
  const size_t size = static_cast<size_t>(width) * height;
  uint8_t* old = new (std::nothrow) uint8_t[size];
  if (old == nullptr) return false;
  std::memcpy(old, image, size);
  // New image: height columns, width rows.
  for (int i = 0; i < width; ++i) {
    for (int j = 0; j < height; ++j) {
      image[i * height + j] =
          upward ? old[j * width + (width - 1 - i)] : old[(height - 1 - j) * width + i];
    }
  }
  delete[] old;
  return true;
}

void ApplyGlyphEffects(uint8_t* image, int width, int height, int options) {
  const bool shadow = (options & PIX_FONTOPT_SHADOW) != 0;
  const bool outline = !shadow && (options & PIX_FONTOPT_OUTLINE) != 0;
  if (!shadow && !outline && !(options & PIX_FONTOPT_MONO)) return;
  const int size = width * height;
  for (int i = 0; i < size; ++i) image[i] = image[i] > kMonoThreshold ? kInk : 0;
  if (!shadow && !outline) return;
  // In scan order, so marks never count as ink for later pixels.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t& byte = image[y * width + x];
      if (byte != 0) continue;
      if (shadow ? ShadowFrom(image, width, height, x, y) : OutlineFrom(image, width, height, x, y))
        byte = kEffect;
    }
  }
}
