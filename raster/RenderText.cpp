#include "raster/RenderText.h"

#include <algorithm>

#include "platform/TextDraw.h"
#include "raster/CachedFont.h"
#include "raster/Utf8.h"

namespace {
constexpr uint16_t kLineFeed = 10;
constexpr uint16_t kCarriageReturn = 13;
constexpr uint16_t kSpace = 32;
constexpr int kNativeLineHeight = 256;
constexpr int kEffectOptions = PIX_FONTOPT_ROTATED | PIX_FONTOPT_ROTATED_UP |
                               PIX_FONTOPT_PRERENDER | PIX_FONTOPT_BLUR | PIX_FONTOPT_INVERT |
                               PIX_FONTOPT_MONO | PIX_FONTOPT_SHADOW | PIX_FONTOPT_OUTLINE;
constexpr unsigned kAlignBits = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;

// Characters of the glyph path: decoded leniently, up to a zero byte or count bytes
// (count <= 0: no limit), carriage returns dropped and line feeds reported as new lines
// (or read as spaces on a single line).
class GlyphText {
 public:
  GlyphText(const char* text, int count, bool singleLine)
      : next_(reinterpret_cast<const uint8_t*>(text)), left_(count > 0 ? count : -1),
        singleLine_(singleLine) {}

  // False at the end; otherwise newLine or code is set.
  bool Next(bool* newLine, uint16_t* code) {
    for (;;) {
      if (next_ == nullptr || left_ == 0 || *next_ == 0) return false;
      const int used = DecodeUtf8CharIn(next_, left_ < 0 ? 4 : left_, code);
      next_ += used;
      if (left_ > 0) left_ -= used;
      if (*code == kCarriageReturn) continue;
      *newLine = *code == kLineFeed && !singleLine_;
      if (*code == kLineFeed) *code = kSpace;
      return true;
    }
  }

 private:
  const uint8_t* next_;
  int left_;
  bool singleLine_;
};

}  // namespace

bool IsRunningUnderWine() { return false; }

int PIX_CachedFont::RenderText(PIX_IBitmap* target, const char* text, int count,
                               IRectangle* rect, unsigned format) {
  if (target == nullptr && !(format & DT_CALCRECT)) return 0;
  const bool noNative = (format & PIX_TEXT_NO_NATIVE) != 0;
  format &= ~PIX_TEXT_NO_NATIVE;
  if (text == nullptr || rect == nullptr) return 0;
  if (!UsesGlyphPath(target, format, noNative)) return RenderNative(target, text, count, rect, format);
  if (format & DT_CALCRECT) return MeasureGlyphs(text, count, rect, format);
  return DrawGlyphs(target, text, count, rect, format, noNative);
}

bool PIX_CachedFont::UsesGlyphPath(PIX_IBitmap* target, unsigned format, bool noNative) const {
  if (target != nullptr && target->QueryExtension(PIX_GLYPH_PATH_EXTENSION, nullptr) != 0)
    return true;
  if (lineHeight_ >= kNativeLineHeight) return false;
  return !(options_ & PIX_FONTOPT_NATIVE) || font_ == nullptr || noNative ||
         IsRunningUnderWine() || (format & PIX_TEXT_USE_COLOR_ALPHA) ||
         (options_ & kEffectOptions);
}

void PIX_CachedFont::NextLine(int* x, int* y, int lineStartX, int lineStartY) const {
  if (options_ & PIX_FONTOPT_ROTATED) {
    *x += lineHeight_;
    *y = lineStartY;
  } else {
    *y += lineHeight_;
    *x = lineStartX;
  }
}

int PIX_CachedFont::MeasureGlyphs(const char* text, int count, IRectangle* rect,
                                  unsigned format) {
  const bool vertical = (options_ & PIX_FONTOPT_ROTATED) != 0;
  int x = 0, y = 0, extentX = 0, extentY = 0;
  GlyphText characters(text, count, format & DT_SINGLELINE);
  bool newLine = false;
  uint16_t code = 0;
  while (characters.Next(&newLine, &code)) {
    if (newLine) {
      NextLine(&x, &y, 0, 0);
      continue;
    }
    const CachedGlyph* glyph = GlyphFor(code);
    if (glyph == nullptr || glyph->position <= 0) continue;
    if (vertical) {
      extentX = std::max(extentX, x + glyph->width);
      extentY = std::max({extentY, y + glyph->advance, y + glyph->height});
      y += glyph->advance;
    } else {
      extentX = std::max({extentX, x + glyph->advance, x + glyph->width});
      extentY = std::max(extentY, y + glyph->height);
      x += glyph->advance;
    }
  }
  rect->right = rect->left + extentX;
  rect->bottom = rect->top + extentY;
  return vertical ? extentX : extentY;
}

int PIX_CachedFont::DrawGlyphs(PIX_IBitmap* target, const char* text, int count,
                               IRectangle* rect, unsigned format, bool noNative) {
  const float savedAlpha = alpha_;
  if (format & PIX_TEXT_USE_COLOR_ALPHA) alpha_ *= (foreground_ >> 24) / 255.0f;
  if (alpha_ == 0) {
    alpha_ = savedAlpha;
    return 0;
  }
  const bool vertical = (options_ & PIX_FONTOPT_ROTATED) != 0;
  const bool upward = vertical && (options_ & PIX_FONTOPT_ROTATED_UP);
  int x0 = rect->left;
  int y0 = rect->top;
  int measuredHeight = 0;
  if ((format & kAlignBits) || upward) {
    IRectangle size{0, 0, 0, 0};
    RenderText(target, text, count, &size,
               DT_CALCRECT | (format & DT_SINGLELINE) | (noNative ? unsigned{PIX_TEXT_NO_NATIVE} : 0u));
    const int w = size.right - size.left;
    measuredHeight = size.bottom - size.top;
    if (format & DT_CENTER) {
      x0 = rect->left + (rect->right - rect->left - w) / 2;
    } else if (format & DT_RIGHT) {
      x0 = rect->right - w;
    }
    if (format & DT_VCENTER) {
      y0 = rect->top + (rect->bottom - rect->top - measuredHeight) / 2;
    } else if (format & DT_BOTTOM) {
      y0 = rect->bottom - measuredHeight;
    }
  }
  IRectangle clip{0, 0, target->Width(), target->Height()};
  if (!(format & DT_NOCLIP)) {
    clip = {std::max(rect->left, 0), std::max(rect->top, 0), std::min(rect->right, clip.right),
            std::min(rect->bottom, clip.bottom)};
  }
  if (clip.right <= clip.left || clip.bottom <= clip.top) {
    alpha_ = savedAlpha;
    return 0;
  }
  const int startY = upward ? y0 + measuredHeight : y0;
  int x = x0, y = startY, extentX = x0, extentY = startY;
  GlyphText characters(text, count, format & DT_SINGLELINE);
  bool newLine = false;
  uint16_t code = 0;
  while (characters.Next(&newLine, &code)) {
    if (newLine) {
      NextLine(&x, &y, x0, startY);
      continue;
    }
    const CachedGlyph* found = GlyphFor(code);
    if (found == nullptr || cache_.Image(*found) == nullptr) continue;
    const CachedGlyph glyph = *found;
    if (upward) y -= glyph.height;
    const bool drawn = RenderGlyph(target, code, x, y, &clip);
    if (vertical) {
      y += upward ? glyph.height - glyph.advance : glyph.advance;
      if (drawn) extentX = std::max(extentX, x + glyph.width);
    } else {
      x += glyph.advance;
      if (drawn) extentY = std::max(extentY, y + glyph.height);
    }
  }
  alpha_ = savedAlpha;
  return vertical ? extentX - x0 : extentY - startY;
}
