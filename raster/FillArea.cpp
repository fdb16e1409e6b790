#include "raster/FillArea.h"

#include <algorithm>
#include <cstdint>

#include "raster/BlendMath.h"
#include "raster/BlendRows.h"
#include "raster/PixelOps.h"
#include "raster/RowCursor.h"

using namespace pix;

namespace {

// The clipped rectangle of the destination.
struct Area {
  PIX_IBitmap* destination;
  int x, y, w, h;
};

template <typename RowFn>
void ForEachRow(const Area& area, RowFn fn) {
  RowCursor d(*area.destination, area.x, area.y);
  for (int j = 0; j < area.h; ++j, d.Next()) fn(d.Row(), area.w);
}

// The colour channels (blue, green, red) and, as the fourth source value, the weight itself.
struct FillSource {
  int channel[4];
  int weight;
};

// Applies one per-channel rule to every pixel; term(source value, weight) is computed once
// per channel, apply(destination value, term) per pixel.
template <typename Term, typename Apply>
void FillPerChannel(const Area& area, const FillSource& src, Term term, Apply apply) {
  int t[4];
  for (int c = 0; c < 4; ++c) t[c] = term(src.channel[c], src.weight);
  ForEachRow(area, [&](PIX_PixelValue* d, int n) {
    for (int i = 0; i < n; ++i) {
      const PIX_PixelValue p = d[i];
      d[i] = MakePixel(apply(Blue(p), t[0]), apply(Green(p), t[1]), apply(Red(p), t[2]),
                       apply(Alpha(p), t[3]));
    }
  });
}

// Copy at full, half, quarter and three-quarter weight with whole-pixel shifts; false for
// other weights.
bool FillCopyShifted(const Area& area, PIX_PixelValue colour, int weight) {
  switch (weight) {
    case 256:
      ForEachRow(area, [=](PIX_PixelValue* d, int n) { FillRowSolid(d, n, colour); });
      return true;
    case 128:
      ForEachRow(area, [=](PIX_PixelValue* d, int n) {
        FillRowShifted(d, n, HalfBytes(colour), true, false);
      });
      return true;
    case 64:
      ForEachRow(area, [=](PIX_PixelValue* d, int n) {
        FillRowShifted(d, n, QuarterBytes(colour), true, true);
      });
      return true;
    case 192:
      ForEachRow(area, [=](PIX_PixelValue* d, int n) {
        FillRowShifted(d, n, QuarterBytes(colour) + HalfBytes(colour), false, true);
      });
      return true;
    default:
      return false;
  }
}

void FillHsv(const Area& area, const FillSource& src) {
  // The weight is also the stored alpha; full weight (or more) stores an opaque pixel
  // instead of letting 256 wrap to 0.
  const int alpha = std::min(src.weight, 255);
  ForEachRow(area, [&](PIX_PixelValue* d, int n) {
    for (int i = 0; i < n; ++i) {
      PIX_HsvAdjustPixel(d + i, src.channel[2], src.channel[1], src.channel[0], alpha,
                         src.weight);
    }
  });
}

void FillKind(const Area& area, const FillSource& src, int kind) {
  const int keep = 256 - src.weight;
  switch (kind) {
    case PIX_COMBINE_COPY:
      if (src.weight > 0) {
        FillPerChannel(area, src, [](int s, int) { return s; },
                       [=](int d, int s) { return LerpChannel(s, d, keep); });
      }
      return;
    case PIX_COMBINE_ADD:
      return FillPerChannel(area, src, AddTerm, AddChannel);
    case PIX_COMBINE_DODGE:
      return FillPerChannel(area, src, DodgeDivisor, DodgeChannel);
    case PIX_COMBINE_MULTIPLY:
      return FillPerChannel(area, src, MultiplyFactor, MultiplyChannel);
    case PIX_COMBINE_OVERLAY:
      return FillPerChannel(area, src, OverlayTerm, OverlayChannel);
    case PIX_COMBINE_HSV:
      return FillHsv(area, src);
    default:
      return;
  }
}

}  // namespace

void PIX_FillArea(PIX_IBitmap* destination, int x, int y, int width, int height,
                  PIX_PixelValue colour, float alpha, int mode) {
  if (destination == nullptr) return;
  if ((mode & PIX_COMBINE_SOURCE_ALPHA) != 0) {
    alpha = static_cast<float>(Alpha(colour)) / 255.0f * alpha;
  }
  // 64-bit so that extreme positions cannot overflow the clipping.
  int64_t left = x, top = y, w = width, h = height;
  if (left < 0) w += left, left = 0;
  if (top < 0) h += top, top = 0;
  if (alpha == 0.0f || destination->PixelData() == nullptr || destination->RowStride() == 0 ||
      w <= 0 || h <= 0 || left >= destination->Width() || top >= destination->Height()) {
    return;
  }
  w = std::min<int64_t>(w, destination->Width() - left);
  h = std::min<int64_t>(h, destination->Height() - top);
  const Area area{destination, int(left), int(top), int(w), int(h)};

  const int weight = WeightFromAlpha(alpha);
  const int kind = mode & PIX_COMBINE_KIND_MASK;
  if (kind == PIX_COMBINE_COPY && FillCopyShifted(area, colour, weight)) return;
  if (weight == 0) return;
  FillKind(area, {{Blue(colour), Green(colour), Red(colour), weight}, weight}, kind);
}
