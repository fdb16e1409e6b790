// The native path of PIX_CachedFont::RenderText: the system draws the text on the
// target's device context, or for a target without one on the shared native text surface,
// which is then composited into the target with the font's opacity.

#include <algorithm>
#include <memory>
#include <new>

#include "platform/DeviceContext.h"
#include "platform/FontSelection.h"
#include "platform/TextDraw.h"
#include "platform/TextDrawUtf8.h"
#include "raster/CachedFont.h"
#include "raster/Composite.h"
#include "raster/GlyphCacheSurfaces.h"
#include "raster/Utf8.h"

namespace {
constexpr unsigned kAlignBits = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;
constexpr int kLocalUnits = 1024;
constexpr int kLocalLimit = 1000;
constexpr int kMinNativeSurface = 4;

uint32_t ColourRef(PIX_PixelValue pixel) {
  return (pixel >> 16 & 0xFF) | (pixel & 0xFF00) | (pixel & 0xFF) << 16;
}

TextRect ToTextRect(const IRectangle& r) { return {r.left, r.top, r.right, r.bottom}; }

// UTF-16 form of a text for the system, when it holds UTF-8 sequences and converts.
class WideText {
 public:
  WideText(const char* text, int count) {
    const int bytes = count > 0 ? count : -1;
    if (!HasUtf8SequenceIn(text, bytes)) return;
    const int length = Utf8ToUtf16(text, bytes, nullptr, 0);
    if (length < 1) return;
    char16_t* buffer = local_;
    int capacity = kLocalUnits;
    if (length >= kLocalLimit) {
      capacity = length + 32;  // length * 2 + 64 bytes
      heap_.reset(new (std::nothrow) char16_t[capacity]);
      buffer = heap_.get();
    }
    if (buffer == nullptr || Utf8ToUtf16(text, bytes, buffer, capacity) != length) return;
    buffer[length] = 0;  // a counted text carries no terminator of its own
    units_ = buffer;
  }
  const char16_t* Units() const { return units_; }

 private:
  char16_t local_[kLocalUnits];
  std::unique_ptr<char16_t[]> heap_;
  const char16_t* units_ = nullptr;
};

int CallDrawText(DeviceContext* dc, const char* text, int count, const WideText& wide,
                 TextRect* rect, unsigned format) {
  if (wide.Units() != nullptr) return DrawTextW(dc, wide.Units(), -1, rect, format);
  return DrawTextA(dc, text, count, rect, format);
}
// Where the measured w × h box goes in rect; the right and bottom bits win here.
IRectangle PlaceBox(const IRectangle& rect, int w, int h, unsigned format) {
  int x = rect.left;
  if (format & DT_RIGHT) {
    x = rect.right - w;
  } else if (format & DT_CENTER) {
    x = (rect.left + rect.right - w) / 2;
  }
  int y = rect.top;
  if (format & DT_BOTTOM) {
    y = rect.bottom - h;
  } else if (format & DT_VCENTER) {
    y = (rect.top + rect.bottom - h) / 2;
  }
  return {x, y, x + w, y + h};
}
struct NativeStyle {
  HFONT font;
  PIX_PixelValue foreground;
  PIX_PixelValue background;
  int backgroundMode;
  float alpha;
};

// Sets the context's text attributes from the font and draws.
int DrawWithStyle(DeviceContext* dc, const NativeStyle& style, const char* text, int count,
                  const WideText& wide, TextRect* rect, unsigned format) {
  dc->SetTextColour(ColourRef(style.foreground));
  dc->SetBackgroundMode(style.backgroundMode);
  if (style.backgroundMode == PIX_BK_OPAQUE) dc->SetBackgroundColour(ColourRef(style.background));
  return CallDrawText(dc, text, count, wide, rect, format | DT_NOPREFIX);
}

// Draws a measured w × h text into a target without a device context: the part of its
// box inside the target (and the rectangle, unless DT_NOCLIP) is copied to the surface,
// drawn on there and composited back. Returns the system's result, or fallback when
// nothing of the box is visible.
int DrawThroughSurface(PIX_IBitmap* target, PIX_SysBitmap* surface, const NativeStyle& style,
                       const char* text, int count, const WideText& wide, const IRectangle& rect,
                       int w, int h, unsigned format, int fallback) {
  IRectangle box = PlaceBox(rect, w, h, format);
  const bool clipped = !(format & DT_NOCLIP);
  box.right = std::min(box.right, target->Width());
  box.bottom = std::min(box.bottom, target->Height());
  if (clipped) {
    box.right = std::min(box.right, rect.right);
    box.bottom = std::min(box.bottom, rect.bottom);
  }
  const int lowX = clipped ? std::max(rect.left, 0) : 0;
  const int lowY = clipped ? std::max(rect.top, 0) : 0;
  const int offsetX = std::min(box.left - lowX, 0);
  const int offsetY = std::min(box.top - lowY, 0);
  box.left = std::max(box.left, lowX);
  box.top = std::max(box.top, lowY);
  const int boxWidth = box.right - box.left;
  const int boxHeight = box.bottom - box.top;
  if (boxWidth <= 0 || boxHeight <= 0) return fallback;
  if (surface->Width() < boxWidth || surface->Height() < boxHeight) {
    SelectObject(surface->DeviceContext(), nullptr);
    surface->SetSize(std::max(surface->Width(), boxWidth), std::max(surface->Height(), boxHeight));
    SelectObject(surface->DeviceContext(), style.font);
  }
  PIX_Composite(surface, target, 0, 0, &box, 1.0f, PIX_COMBINE_COPY);
  TextRect area{offsetX, offsetY, box.right, box.bottom};
  const int result = DrawWithStyle(surface->DeviceContext(), style, text, count, wide, &area,
                                   format & ~(kAlignBits | DT_NOCLIP));
  const IRectangle drawn{0, 0, boxWidth, boxHeight};
  PIX_Composite(target, surface, box.left, box.top, &drawn, style.alpha, PIX_COMBINE_COPY);
  return result;
}
}  // namespace

int PIX_CachedFont::RenderNative(PIX_IBitmap* target, const char* text, int count,
                                 IRectangle* rect, unsigned format) {
  const WideText wide(text, count);
  const NativeStyle style{font_, foreground_, background_, backgroundMode_, alpha_};
  if (DeviceContext* dc = target != nullptr ? target->DeviceContext() : nullptr) {
    HFONT previous = SelectObject(dc, font_);
    TextRect copy = ToTextRect(*rect);
    const int result = DrawWithStyle(dc, style, text, count, wide, &copy, format);
    if (format & DT_CALCRECT) *rect = {copy.left, copy.top, copy.right, copy.bottom};
    SelectObject(dc, previous);
    return result;
  }
  PIX_SysBitmap* surface = glyph_cache::NativeTextSurface();
  if (surface == nullptr) return 0;
  if (surface->Width() < kMinNativeSurface || surface->Height() < kMinNativeSurface) {
    surface->SetSize(std::max(surface->Width(), kMinNativeSurface),
                     std::max(surface->Height(), kMinNativeSurface));
  }
  if (surface->DeviceContext() == nullptr) return 0;
  HFONT previous = SelectObject(surface->DeviceContext(), font_);
  TextRect measured{0, 0, 0, 0};
  int result = CallDrawText(surface->DeviceContext(), text, count, wide, &measured,
                            (format & ~0xFu) | DT_CALCRECT | DT_NOPREFIX);
  if (format & DT_CALCRECT) {
    rect->right = rect->left + measured.right;
    rect->bottom = rect->top + measured.bottom;
  } else if (target != nullptr) {
    result = DrawThroughSurface(target, surface, style, text, count, wide, *rect, measured.right,
                                measured.bottom, format, result);
  }
  SelectObject(surface->DeviceContext(), previous);
  return result;
}
