#include "platform/TextDraw.h"

#include <algorithm>
#include <cstddef>
#include <cmath>
#include <utility>

#include "platform/DeviceContext.h"
#include "platform/FontSelection.h"
#include "platform/TextDrawLayout.h"

namespace {
constexpr uint32_t kOpaqueAlpha = 0xFF000000;

// A system colour (red + green * 256 + blue * 65536) as an opaque pixel.
uint32_t PixelFromColour(uint32_t colour) {
  return kOpaqueAlpha | (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

// Each byte moves from the destination towards the colour by k / 255.
uint32_t Mix(uint32_t destination, uint32_t colour, uint32_t k) {
  uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t d = destination >> shift & 0xFF;
    const uint32_t c = colour >> shift & 0xFF;
    result |= ((c * k + d * (255 - k) + 127) / 255) << shift;
  }
  return result;
}

TextRect Intersect(const TextRect& a, const TextRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const TextRect& r) { return r.right <= r.left || r.bottom <= r.top; }

class TextPainter {
 public:
  TextPainter(const DeviceContext& dc, FontFace& font, const TextRect& clip)
      : target_(dc.CurrentTarget()),
        font_(font),
        clip_(clip),
        text_(PixelFromColour(dc.TextColour())),
        background_(PixelFromColour(dc.BackgroundColour())),
        opaque_(dc.BackgroundMode() == DeviceContext::kOpaque) {}

  void PaintLine(const TextDrawLayout& layout, const TextDrawLine& line, int x, int y) {
    const TEXTMETRICA& metrics = font_.Metrics();
    const bool upright = font_.Angle() == 0;
    if (opaque_ && upright) Fill({x, y, x + line.width, y + metrics.tmHeight}, background_);
    const double c = std::cos(font_.Angle());
    const double s = std::sin(font_.Angle());
    int pen = 0;
    for (int i = line.begin; i < line.end; ++i) {
      // The line turns about its top-left corner.
      const long originX = long{x} * 64 + std::lround((pen * c + metrics.tmAscent * s) * 64);
      const long originY = long{y} * 64 + std::lround((metrics.tmAscent * c - pen * s) * 64);
      GlyphCoverage glyph;
      if (font_.Render(layout.codes[i], originX, originY, &glyph)) Blend(glyph);
      const int advance = font_.Advance(layout.codes[i]);
      if (layout.underlined[i] && upright) {
        const int baseline = y + metrics.tmAscent + 1;
        Fill({x + pen, baseline, x + pen + advance, baseline + 1}, text_);
      }
      pen += advance;
    }
  }

 private:
  void Fill(const TextRect& box, uint32_t pixel) {
    const TextRect area = Intersect(box, clip_);
    if (IsEmpty(area)) return;
    for (int y = area.top; y < area.bottom; ++y) {
      uint32_t* row = target_.pixels + static_cast<ptrdiff_t>(y) * target_.rowStride;
      std::fill(row + area.left, row + area.right, pixel);
    }
  }

  void Blend(const GlyphCoverage& glyph) {
    const TextRect area = Intersect(
        {glyph.left, glyph.top, glyph.left + glyph.width, glyph.top + glyph.height}, clip_);
    for (int y = area.top; y < area.bottom; ++y) {
      uint32_t* row = target_.pixels + static_cast<ptrdiff_t>(y) * target_.rowStride;
      const uint8_t* coverage =
          glyph.bytes + static_cast<ptrdiff_t>(y - glyph.top) * glyph.pitch - glyph.left;
      for (int x = area.left; x < area.right; ++x) {
        const uint32_t k = coverage[x];
        if (k == 255) {
          row[x] = text_;
        } else if (k != 0) {
          row[x] = Mix(row[x], text_, k);
        }
      }
    }
  }

  DeviceContext::Target target_;
  FontFace& font_;
  TextRect clip_;
  uint32_t text_;
  uint32_t background_;
  bool opaque_;
};

int LineLeft(const TextRect& rect, int width, uint32_t format) {
  if (format & DT_CENTER) return rect.left + (rect.right - rect.left - width) / 2;
  if (format & DT_RIGHT) return rect.right - width;
  return rect.left;
}

// The system places text vertically only when it is one line.
int TextTop(const TextRect& rect, int height, uint32_t format) {
  if (!(format & DT_SINGLELINE)) return rect.top;
  if (format & DT_VCENTER) return rect.top + (rect.bottom - rect.top - height) / 2;
  if (format & DT_BOTTOM) return rect.bottom - height;
  return rect.top;
}

int Paint(const DeviceContext& dc, FontFace& font, const TextDrawLayout& layout,
          const TextRect& rect, uint32_t format) {
  const int top = TextTop(rect, layout.height, format);
  const DeviceContext::Target& target = dc.CurrentTarget();
  TextRect clip{0, 0, target.width, target.height};
  if (!(format & DT_NOCLIP)) clip = Intersect(clip, rect);
  if (target.pixels != nullptr && !IsEmpty(clip)) {
    TextPainter painter(dc, font, clip);
    int y = top;
    for (const TextDrawLine& line : layout.lines) {
      painter.PaintLine(layout, line, LineLeft(rect, line.width, format), y);
      y += font.Metrics().tmHeight;
    }
  }
  return top - rect.top + layout.height;
}

int DrawCodes(DeviceContext* dc, std::vector<uint32_t> codes, TextRect* rect, uint32_t format) {
  if (dc == nullptr || rect == nullptr) return 0;
  FontFace* font = SelectedFontFace(dc);
  if (font == nullptr) return 0;
  if (codes.empty()) {
    if (format & DT_CALCRECT) {
      rect->right = rect->left;
      rect->bottom = rect->top + ((format & DT_SINGLELINE) ? font->Metrics().tmHeight : 0);
    }
    return 0;
  }
  const TextDrawOptions options{(format & DT_SINGLELINE) != 0, !(format & DT_NOPREFIX)};
  const TextDrawLayout layout = LayOutText(std::move(codes), options, *font);
  if (format & DT_CALCRECT) {
    rect->right = rect->left + layout.width;
    rect->bottom = rect->top + layout.height;
    return layout.height;
  }
  return Paint(*dc, *font, layout, *rect, format);
}
}  // namespace

int DrawTextW(DeviceContext* dc, const char16_t* text, int count, TextRect* rect,
              uint32_t format) {
  return DrawCodes(dc, DecodeUtf16Units(text, count), rect, format);
}

int DrawTextA(DeviceContext* dc, const char* text, int count, TextRect* rect, uint32_t format) {
  return DrawCodes(dc, DecodeLatin1Bytes(text, count), rect, format);
}
