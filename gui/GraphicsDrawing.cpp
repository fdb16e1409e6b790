// Drawing operations of IGraphics: image frames, system-font text and bitmap-font text,
// all into the off-screen surface.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/SafeNumbers.h"
#include "gui/FontCache.h"
#include "gui/Graphics.h"
#include "gui/RectangleOps.h"
#include "platform/FontFace.h"
#include "platform/TextDraw.h"
#include "raster/CachedFont.h"
#include "raster/Composite.h"

namespace {
constexpr int kBoldWeight = 700;
constexpr int kNormalWeight = 400;
constexpr int kTenthsPerDegree = 10;
constexpr int kDegreesPerTurn = 360;
// The first frame of a bitmap font shows the space character, so frame f shows code 31 + f.
constexpr int kCodeBeforeFirstGlyph = 31;

uint32_t SystemQuality(ITextQuality quality) {
  switch (quality) {
    case QUALITY_DEFAULT:
      return 0;
    case QUALITY_SUBPIXEL:
      return 5;
    case QUALITY_SMOOTH:
      return 4;
    default:
      return NONANTIALIASED_QUALITY;
  }
}

PIX_CachedFont* CreateCachedFont(const ITextStyle& style) {
  // Whole turns are dropped so that any angle gives a valid escapement.
  const int escapement = style.orientation % kDegreesPerTurn * kTenthsPerDegree;
  HFONT system = CreateFontA(style.size, 0, escapement, escapement,
                             style.fontStyle == FONT_BOLD ? kBoldWeight : kNormalWeight,
                             style.fontStyle == FONT_ITALIC, 0, 0, 0, 0, 0,
                             SystemQuality(style.quality), 0, style.fontName);
  if (system == nullptr) return nullptr;
  auto* font = new PIX_CachedFont();
  font->UseSystemFont(system, PIX_FONTOPT_OWNS_FONT | PIX_FONTOPT_NATIVE);
  return font;
}

unsigned TextFormat(const ITextStyle& style) {
  unsigned format = DT_NOCLIP;
  if ((style.colour.alpha & 0xFF) != 0xFF) format |= PIX_TEXT_USE_COLOR_ALPHA;
  if (style.alignment == ALIGN_CENTRE) {
    format |= DT_CENTER;
  } else if (style.alignment != ALIGN_NEAR) {
    format |= DT_RIGHT;
  }
  return format;
}

// Moves rect to the measured width and height of a text, aligned within rect's span.
void PlaceMeasuredBox(ITextAlign alignment, int width, int height, IRectangle& rect) {
  if (alignment == ALIGN_NEAR) {
    rect.right = rect.left + width;
  } else if (alignment == ALIGN_CENTRE) {
    rect.left = MiddleX(rect) - width / 2;
    rect.right = rect.left + width;
  } else {
    rect.left = rect.right - width;
  }
  rect.bottom = rect.top + height;
}

int ClampToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// Where the first character of a line of textWidth pixels starts.
int GlyphStartX(ITextAlign alignment, const IRectangle& rect, int64_t textWidth) {
  if (alignment == ALIGN_CENTRE) return ClampToInt(rect.left + (WidthOf(rect) - textWidth) / 2);
  if (alignment == ALIGN_FAR) return ClampToInt(rect.right - textWidth);
  return rect.left;
}

// The source position of a character's frame. Codes without a frame of their own (the
// space, control characters, bytes of 128 and above, codes beyond the strip) show the
// first frame.
IFrameOffset GlyphOffset(const IImageStrip& strip, char code) {
  const int frame = static_cast<signed char>(code) - kCodeBeforeFirstGlyph;
  if (strip.frameCount > 1 && frame > 1 && frame <= strip.frameCount) {
    return IGraphics::FrameOffset(strip, frame);
  }
  return {0, 0};
}
}  // namespace

bool IGraphics::BlitImage(const IImageStrip& strip, const IRectangle& dest, int sourceX,
                          int sourceY, const IBlendSpec* blend) {
  if (strip.image == nullptr || surface_ == nullptr) return true;
  const IRectangle r = Intersection(dest, clip_);
  if (IsEmpty(r)) return true;
  const int left = sourceX + (r.left - dest.left), top = sourceY + (r.top - dest.top);
  const IRectangle source{left, top, left + WidthOf(r), top + HeightOf(r)};
  const IBlendSpec& chosen = blend != nullptr ? *blend : kDefaultBlend;
  PIX_Composite(surface_.get(), strip.image, r.left, r.top, &source, chosen.weight,
                CombineModeFor(chosen.method));
  return true;
}

IFrameOffset IGraphics::FrameOffset(const IImageStrip& strip, int frame) {
  const int frames = strip.frameCount;
  if (frames <= 1 || frame <= 1) return {0, 0};
  const int span = strip.framesHorizontal ? strip.width : strip.height;
  const int offset = TruncateToInt(span * double(std::min(frame, frames) - 1) / frames + 0.5);
  return strip.framesHorizontal ? IFrameOffset{offset, 0} : IFrameOffset{0, offset};
}

bool IGraphics::BlitFrame(const IImageStrip& strip, const IRectangle& dest, int frame,
                          const IBlendSpec* blend) {
  const IFrameOffset source = FrameOffset(strip, frame);
  return BlitImage(strip, dest, source.x, source.y, blend);
}

PIX_CachedFont* IGraphics::ResolveFont(ITextStyle& style) {
  FontCache& cache = FontCache::Instance();
  PIX_CachedFont* font = cache.Find(style);
  if (font == nullptr) {
    font = CreateCachedFont(style);
    if (font == nullptr) return nullptr;
    cache.Add(font, style);
  }
  style.resolvedFont = font;
  return font;
}

bool IGraphics::RenderTextBox(ITextStyle& style, const char* text, IRectangle& rect,
                              bool measure) {
  if (text == nullptr || text[0] == '\0') return true;
  PIX_CachedFont* font = style.resolvedFont != nullptr ? style.resolvedFont : ResolveFont(style);
  if (font == nullptr) return false;
  font->ReplaceForeground(style.colour.Packed());
  if (!measure) {
    IRectangle box = rect;
    font->RenderText(surface_.get(), text, -1, &box, TextFormat(style));
    return true;
  }
  IRectangle box{0, 0, 0, 0};
  font->RenderText(surface_.get(), text, -1, &box, TextFormat(style) | DT_CALCRECT);
  PlaceMeasuredBox(style.alignment, box.right, box.bottom, rect);
  return true;
}

bool IGraphics::MeasureTextBox(ITextStyle& style, const char* text, IRectangle& rect) {
  return RenderTextBox(style, text, rect, true);
}

void IGraphics::RenderGlyphText(const IImageStrip& strip, const IRectangle& rect,
                                const ITextStyle& style, const IBlendSpec* blend,
                                const char* text, bool centreVertically, bool wrap,
                                int charWidth, int charHeight, int charSpacing) {
  const int width = WidthOf(rect);
  if (text == nullptr || text[0] == '\0' || charWidth <= 0 || width <= 0) return;
  const int64_t length = static_cast<int64_t>(std::strlen(text));
  const int64_t textWidth = length * charWidth;
  int y = centreVertically ? rect.top + (HeightOf(rect) - charHeight) / 2 : rect.top;
  const int startX = GlyphStartX(style.alignment, rect, textWidth);
  int64_t perLine = width / charWidth, lines = 1;
  if (wrap && textWidth > width) {
    lines = textWidth / width + 1;
  } else if (wrap) {
    perLine = length;
  }
  const char* next = text;
  for (int64_t line = 0; line < lines; ++line, y += charHeight) {
    for (int64_t k = 0; k < perLine; ++k, ++next) {
      if (*next == '\0') return;
      const int left = ClampToInt(startX + k * (int64_t{charWidth} + charSpacing));
      const IFrameOffset source = GlyphOffset(strip, *next);
      BlitImage(strip, {left, y, left + charWidth, y + charHeight}, source.x, source.y, blend);
    }
  }
}
