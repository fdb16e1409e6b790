#include "raster/CachedFont.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/DeviceContext.h"
#include "platform/FontSelection.h"
#include "platform/TextDraw.h"
#include "raster/CachedFontBlend.h"
#include "raster/FillArea.h"
#include "raster/GlyphCacheImage.h"
#include "raster/GlyphCacheSurfaces.h"
#include "raster/Soften.h"

namespace {
constexpr int kAttachSurfaceSize = 256;
constexpr int kMaxLineHeight = 1023;
constexpr int kTwoToneOptions = PIX_FONTOPT_MONO | PIX_FONTOPT_SHADOW | PIX_FONTOPT_OUTLINE;

void MarkEmpty(CachedGlyph* record, int code) { *record = CachedGlyph{-1, 0, 0, 0, code}; }
}  // namespace

PIX_CachedFont::PIX_CachedFont() { glyph_cache::AddLiveFont(); }

PIX_CachedFont::~PIX_CachedFont() {
  ReleaseFont();
  glyph_cache::RemoveLiveFont();
}

void PIX_CachedFont::ReleaseFont() {
  if ((options_ & PIX_FONTOPT_OWNS_FONT) && font_ != nullptr) DeleteObject(font_);
  font_ = nullptr;
}

void PIX_CachedFont::UseSystemFont(HFONT font, int options) {
  if (font_ != font) ReleaseFont();
  options_ = options;
  font_ = font;
  if (font != nullptr) {
    PIX_SysBitmap* scratch = glyph_cache::GlyphScratchSurface(kAttachSurfaceSize);
    DeviceContext* dc = scratch != nullptr ? scratch->DeviceContext() : nullptr;
    if (dc != nullptr) {
      HFONT previous = SelectObject(dc, font);
      TEXTMETRICA metrics{};
      if (GetTextMetricsA(dc, &metrics)) lineHeight_ = metrics.tmHeight;
      SelectObject(dc, previous);
    }
  }
  cache_.Clear();
  if (options & PIX_FONTOPT_PRERENDER) {
    for (int code = 0; code < GlyphCache::kAsciiCount; ++code) RenderGlyphImage(code);
  }
}

PIX_PixelValue PIX_CachedFont::ReplaceForeground(PIX_PixelValue colour) {
  return std::exchange(foreground_, colour);
}

PIX_PixelValue PIX_CachedFont::ReplaceBackground(PIX_PixelValue colour) {
  return std::exchange(background_, colour);
}

PIX_PixelValue PIX_CachedFont::ReplaceEffectColor(PIX_PixelValue colour) {
  return std::exchange(effect_, colour);
}

int PIX_CachedFont::ReplaceBackgroundMode(int mode) { return std::exchange(backgroundMode_, mode); }

void PIX_CachedFont::SetBlend(int mode, float alpha) {
  mode_ = mode;
  alpha_ = alpha;
}

const CachedGlyph* PIX_CachedFont::GlyphFor(int code) {
  const CachedGlyph* record = cache_.Find(code);
  if (record == nullptr) {
    const int before = cache_.ExtendedCount();
    RenderGlyphImage(code);
    if (cache_.ExtendedCount() != before) record = cache_.Find(code);
  } else if (record->position == 0) {
    RenderGlyphImage(code);
  }
  return record;
}

// Renders one character on the scratch surface with the system and stores its image.
void PIX_CachedFont::RenderGlyphImage(int code) {
  if (lineHeight_ > kMaxLineHeight || code < 0 || code > 0xFFFF) return;
  CachedGlyph* record = cache_.Find(code);
  const bool appended = record == nullptr;
  if (appended) {
    if (options_ & PIX_FONTOPT_PRERENDER) return;
    record = cache_.Append(code);
    if (record == nullptr) return;
  }
  PIX_SysBitmap* scratch = glyph_cache::GlyphScratchSurface(std::max(lineHeight_, 1) * 2 + 8);
  DeviceContext* dc = scratch != nullptr ? scratch->DeviceContext() : nullptr;
  MarkEmpty(record, code);
  if (dc != nullptr && scratch->PixelData() != nullptr) {
    HFONT previous = SelectObject(dc, font_);
    const int margin = lineHeight_ < 16 ? 0 : lineHeight_ / 16;
    const char16_t unit = static_cast<char16_t>(code);
    TextRect measured{0, 0, 0, 0};
    DrawTextW(dc, &unit, 1, &measured, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    int advance = measured.right;
    int height = measured.bottom;
    int width = advance + margin + 2;
    PIX_FillArea(scratch, 0, 0, width, height, 0, 1.0f, PIX_COMBINE_COPY);
    TextRect box{0, 0, width, height};
    DrawTextW(dc, &unit, 1, &box, DT_NOCLIP | DT_NOPREFIX | DT_SINGLELINE);
    advance = std::min(advance, scratch->Width());
    width = std::min(width, scratch->Width());
    height = std::min(height, scratch->Height());
    SelectObject(dc, previous);
    if (advance >= 1 && height >= 1) StoreGlyphImage(record, *scratch, width, height, advance);
  }
  if (appended) cache_.SortExtended();
}

bool PIX_CachedFont::StoreGlyphImage(CachedGlyph* record, PIX_IBitmap& scratch, int width,
                                     int height, int advance) {
  if (options_ & PIX_FONTOPT_BLUR) PIX_Soften(&scratch, width, height);
  IHeapBuffer& store = cache_.Store();
  const int start = store.ByteCount();
  if (int64_t{start} + int64_t{width} * height > INT32_MAX ||
      store.SetByteSize(start + width * height, false) == nullptr) {
    return false;
  }
  uint8_t* image = store.Bytes() + start;
  const int used =
      CopyGlyphCoverage(scratch, width, height, advance, options_ & PIX_FONTOPT_INVERT, image);
  if (used < width) {
    TrimGlyphRows(image, width, height, used);
    store.SetByteSize(start + used * height, false);
    image = store.Bytes() + start;
  }
  int imageWidth = used;
  int imageHeight = height;
  if (options_ & PIX_FONTOPT_ROTATED) {
    if (!TurnGlyphImage(image, used, height, options_ & PIX_FONTOPT_ROTATED_UP)) {
      store.SetByteSize(start, false);
      return false;
    }
    std::swap(imageWidth, imageHeight);
  }
  ApplyGlyphEffects(image, imageWidth, imageHeight, options_);
  *record = CachedGlyph{start + 1, imageWidth, imageHeight, advance, record->code};
  return true;
}

bool PIX_CachedFont::RenderGlyph(PIX_IBitmap* target, int code, int x, int y,
                                 const IRectangle* clip) {
  const CachedGlyph* glyph = cache_.Find(code);
  if (glyph == nullptr || target == nullptr || clip == nullptr) return false;
  const int64_t right = int64_t{x} + glyph->width;
  const int64_t bottom = int64_t{y} + glyph->height;
  if (x >= clip->right || y >= clip->bottom || clip->left >= right || clip->top >= bottom)
    return false;
  const uint8_t* image = cache_.Image(*glyph);
  if (image == nullptr || target->PixelData() == nullptr) return false;
  // The clip rectangle, and never beyond the target.
  const int left = std::max({x, clip->left, 0});
  const int top = std::max({y, clip->top, 0});
  const int width = static_cast<int>(std::min<int64_t>({right, clip->right, target->Width()}) - left);
  const int height =
      static_cast<int>(std::min<int64_t>({bottom, clip->bottom, target->Height()}) - top);
  if (width <= 0 || height <= 0) return false;
  if (backgroundMode_ == PIX_BK_OPAQUE) {
    PIX_FillArea(target, left, top, width, height, background_, alpha_,
                 mode_ & ~PIX_COMBINE_SOURCE_ALPHA);
  }
  const GlyphPaint paint{foreground_, effect_, mode_, alpha_, (options_ & kTwoToneOptions) != 0};
  BlendGlyphImage(target, image + (top - y) * glyph->width + (left - x), glyph->width, left, top,
                  width, height, paint);
  return true;
}
