#include "raster/CachedFontBlend.h"

#include <algorithm>

#include "raster/BlendMath.h"
#include "raster/CombineMode.h"
#include "raster/PixelOps.h"

namespace {
constexpr int kFull = 256;
constexpr uint8_t kInk = 255;

// Source pixels are opaque.
PIX_PixelValue Opaque(PIX_PixelValue colour) { return colour | 0xFF000000u; }

// The weight of one image byte.
int ByteWeight(int weight, int g, bool twoTone) {
  if (twoTone) return std::min(weight, kFull);
  if (weight == kFull) return g + 1;
  return std::min(weight * g / 256, kFull);
}

void CopyPixel(PIX_PixelValue* d, PIX_PixelValue s, int k) {
  if (k <= 0) return;
  if (k == kFull) {
    *d = s;
    return;
  }
  const int keep = kFull - k;
  *d = pix::MakePixel(pix::LerpChannel(pix::Blue(s), pix::Blue(*d), keep),
                      pix::LerpChannel(pix::Green(s), pix::Green(*d), keep),
                      pix::LerpChannel(pix::Red(s), pix::Red(*d), keep),
                      pix::LerpChannel(pix::Alpha(s), pix::Alpha(*d), keep));
}

// The per-pixel rules of the combine kinds without source-alpha weighting.
void CombinePixel(PIX_PixelValue* d, PIX_PixelValue s, int mode, int k) {
  const int kind = mode & PIX_COMBINE_KIND_MASK;
  const int r = pix::Red(s), g = pix::Green(s), b = pix::Blue(s), a = pix::Alpha(s);
  switch (kind) {
    case PIX_COMBINE_COPY:
      CopyPixel(d, s, k);
      return;
    case PIX_COMBINE_ADD:
      *d = pix::MakePixel(pix::AddChannel(pix::Blue(*d), pix::AddTerm(b, k)),
                          pix::AddChannel(pix::Green(*d), pix::AddTerm(g, k)),
                          pix::AddChannel(pix::Red(*d), pix::AddTerm(r, k)),
                          pix::AddChannel(pix::Alpha(*d), pix::AddTerm(a, k)));
      return;
    case PIX_COMBINE_DODGE:
      PIX_DodgePixel(d, r, g, b, a, k);
      return;
    case PIX_COMBINE_MULTIPLY:
      *d = pix::MakePixel(pix::MultiplyChannel(pix::Blue(*d), pix::MultiplyFactor(b, k)),
                          pix::MultiplyChannel(pix::Green(*d), pix::MultiplyFactor(g, k)),
                          pix::MultiplyChannel(pix::Red(*d), pix::MultiplyFactor(r, k)),
                          pix::MultiplyChannel(pix::Alpha(*d), pix::MultiplyFactor(a, k)));
      return;
    case PIX_COMBINE_OVERLAY:
      PIX_OverlayPixel(d, r, g, b, a, k);
      return;
    case PIX_COMBINE_HSV:
      PIX_HsvAdjustPixel(d, r, g, b, a, k);
      return;
    default:
      if (kind >= PIX_COMBINE_CHANNEL_COPY) {
        const int from = 8 * (mode & 3);
        const int to = 8 * ((mode >> 2) & 3);
        *d = (*d & ~(0xFFu << to)) | ((s >> from & 0xFF) << to);
      }
      return;
  }
}
}  // namespace

void BlendGlyphImage(PIX_IBitmap* target, const uint8_t* image, int imageWidth, int x, int y,
                     int width, int height, const GlyphPaint& paint) {
  const int weight = pix::WeightFromAlpha(paint.alpha);
  const bool copy = (paint.mode & PIX_COMBINE_KIND_MASK) == PIX_COMBINE_COPY;
  if (weight == 0 || (copy && weight < 0)) return;
  const PIX_PixelValue text = Opaque(paint.text);
  const PIX_PixelValue effect = Opaque(paint.effect);
  // Two-tone glyphs drawn fully opaque store the colours as they are, alpha included.
  const bool store = paint.twoTone && copy && paint.alpha == 1.0f;
  for (int row = 0; row < height; ++row) {
    const uint8_t* bytes = image + static_cast<ptrdiff_t>(row) * imageWidth;
    PIX_PixelValue* d = target->Row(y + row) + x;
    for (int i = 0; i < width; ++i) {
      const int g = bytes[i];
      if (g == 0) continue;
      if (store) {
        d[i] = g == kInk ? paint.text : paint.effect;
        continue;
      }
      const PIX_PixelValue source = (paint.twoTone && g != kInk) ? effect : text;
      CombinePixel(d + i, source, paint.mode, ByteWeight(weight, g, paint.twoTone));
    }
  }
}
