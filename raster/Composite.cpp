#include "raster/Composite.h"

#include <algorithm>
#include <cstdint>

#include "raster/BlendMath.h"
#include "raster/BlendRows.h"
#include "raster/PixelOps.h"
#include "raster/RowCursor.h"

using namespace pix;

namespace {

// The clipped region: w x h pixels from source (left, top) onto destination (x, y).
struct Region {
  PIX_IBitmap* destination;
  PIX_IBitmap* source;
  int x, y, left, top, w, h;
};

// Clips in 64 bits so that extreme positions and rectangles cannot overflow. False when
// nothing is left to draw.
bool ClipRegion(PIX_IBitmap* destination, PIX_IBitmap* source, int x, int y,
                const IRectangle* sourceRect, Region* region) {
  int64_t dx = x, dy = y, left = 0, top = 0;
  int64_t right = source->Width(), bottom = source->Height();
  if (sourceRect != nullptr) {
    left = sourceRect->left, top = sourceRect->top;
    right = sourceRect->right, bottom = sourceRect->bottom;
    if (left < 0) dx -= left, left = 0;
    if (top < 0) dy -= top, top = 0;
    right = std::min<int64_t>(right, source->Width());
    bottom = std::min<int64_t>(bottom, source->Height());
  }
  if (dx < 0) left -= dx, dx = 0;
  if (dy < 0) top -= dy, dy = 0;
  const int64_t width = destination->Width(), height = destination->Height();
  if (right <= left || bottom <= top || dx >= width || dy >= height) return false;
  right = std::min(right, left + (width - dx));
  bottom = std::min(bottom, top + (height - dy));
  if (right <= left || bottom <= top) return false;
  *region = {destination, source, int(dx), int(dy), int(left), int(top),
             int(right - left), int(bottom - top)};
  return true;
}

// Calls fn(destination row, source row, width) for every row of the region.
template <typename RowFn>
void ForEachRow(const Region& r, RowFn fn) {
  RowCursor d(*r.destination, r.x, r.y), s(*r.source, r.left, r.top);
  for (int j = 0; j < r.h; ++j, d.Next(), s.Next()) fn(d.Row(), s.Row(), r.w);
}

int SourceAlphaWeight(PIX_PixelValue s, int weight) { return Div256((Alpha(s) + 1) * weight); }

// Calls fn(destination pixel, source pixel, weight) for every pixel. Under the source-alpha
// flag the weight comes from each source pixel's alpha, and transparent source pixels are
// skipped when skipTransparent says so.
template <typename PixelFn>
void ForEachPixel(const Region& r, int weight, bool sourceAlpha, bool skipTransparent,
                  PixelFn fn) {
  ForEachRow(r, [&](PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
    for (int i = 0; i < n; ++i) {
      if (!sourceAlpha) {
        fn(d + i, s[i], weight);
      } else if (!skipTransparent || Alpha(s[i]) != 0) {
        fn(d + i, s[i], SourceAlphaWeight(s[i], weight));
      }
    }
  });
}

void CopyChannel(const Region& r, int mode) {
  const int from = 8 * (mode & 3), to = 8 * ((mode >> 2) & 3);
  ForEachRow(r, [=](PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
    for (int i = 0; i < n; ++i) {
      d[i] = (d[i] & ~(PIX_PixelValue{0xFF} << to)) | ((s[i] >> from) & 0xFF) << to;
    }
  });
}

void CopyRows(const Region& r) {
  ForEachRow(r, CopyRow);
}

void Copy(const Region& r, int weight, bool sourceAlpha) {
  if (sourceAlpha) {
    ForEachRow(r, [=](PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
      if (weight == 256) {
        CopyRowSourceAlphaFull(d, s, n);
      } else {
        CopyRowSourceAlpha(d, s, n, weight);
      }
    });
  } else if (weight == 256) {
    CopyRows(r);
  } else if (weight > 0) {
    ForEachRow(r, [=](PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
      CopyRowWeighted(d, s, n, 256 - weight);
    });
  }
}

void Add(const Region& r, int weight, bool sourceAlpha) {
  if (sourceAlpha) {
    ForEachPixel(r, weight, true, true, [](PIX_PixelValue* d, PIX_PixelValue s, int w) {
      AddRow(d, &s, 1, w);
    });
  } else {
    ForEachRow(r, [=](PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
      AddRow(d, s, n, weight);
    });
  }
}

void Multiply(PIX_PixelValue* d, PIX_PixelValue s, int w) {
  const PIX_PixelValue p = *d;
  *d = MakePixel(MultiplyChannel(Blue(p), MultiplyFactor(Blue(s), w)),
                 MultiplyChannel(Green(p), MultiplyFactor(Green(s), w)),
                 MultiplyChannel(Red(p), MultiplyFactor(Red(s), w)),
                 MultiplyChannel(Alpha(p), MultiplyFactor(Alpha(s), w)));
}

void Dodge(PIX_PixelValue* d, PIX_PixelValue s, int w) {
  PIX_DodgePixel(d, Red(s), Green(s), Blue(s), Alpha(s), w);
}

void Overlay(PIX_PixelValue* d, PIX_PixelValue s, int w) {
  PIX_OverlayPixel(d, Red(s), Green(s), Blue(s), Alpha(s), w);
}

void HsvAdjust(PIX_PixelValue* d, PIX_PixelValue s, int w) {
  PIX_HsvAdjustPixel(d, Red(s), Green(s), Blue(s), Alpha(s), w);
}

}  // namespace

void PIX_Composite(PIX_IBitmap* destination, PIX_IBitmap* source, int x, int y,
                   const IRectangle* sourceRect, float alpha, int mode) {
  if (destination == nullptr || source == nullptr || alpha == 0.0f) return;
  Region r;
  if (!ClipRegion(destination, source, x, y, sourceRect, &r)) return;
  if (destination->PixelData() == nullptr || source->PixelData() == nullptr) return;

  const int kind = mode & PIX_COMBINE_KIND_MASK;
  const bool sourceAlpha = (mode & PIX_COMBINE_SOURCE_ALPHA) != 0;
  if (kind >= PIX_COMBINE_CHANNEL_COPY) return CopyChannel(r, mode);
  if (kind == PIX_COMBINE_COPY && !sourceAlpha && alpha == 1.0f) return CopyRows(r);
  // The shift average rounds down twice, so it may be one below the weighted copy at 128.
  if (kind == PIX_COMBINE_COPY && !sourceAlpha && alpha == 0.5f) {
    return ForEachRow(r, HalfAverageRow);
  }
  const int weight = WeightFromAlpha(alpha);
  if (weight == 0) return;
  switch (kind) {
    case PIX_COMBINE_COPY:
      return Copy(r, weight, sourceAlpha);
    case PIX_COMBINE_ADD:
      return Add(r, weight, sourceAlpha);
    case PIX_COMBINE_DODGE:
      return ForEachPixel(r, weight, sourceAlpha, false, Dodge);
    case PIX_COMBINE_MULTIPLY:
      return ForEachPixel(r, weight, sourceAlpha, true, Multiply);
    case PIX_COMBINE_OVERLAY:
      return ForEachPixel(r, weight, sourceAlpha, false, Overlay);
    case PIX_COMBINE_HSV:
      return ForEachPixel(r, weight, sourceAlpha, false, HsvAdjust);
    default:
      return;
  }
}
