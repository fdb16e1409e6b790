#pragma once
// A font of the raster library on a system font: each character is rendered once by the
// system into a shared scratch surface, kept as an 8-bit coverage image (optionally
// turned, softened, inverted, made monochrome, or given a shadow or an outline), and from
// then on drawn by the library with the font's colour, combine kind and opacity.
// Text layout and drawing (RenderText) are in RenderText.cpp.

#include "raster/CachedFontInterface.h"
#include "raster/GlyphCache.h"

class PIX_CachedFont : public PIX_IFont {
 public:
  PIX_CachedFont();
  ~PIX_CachedFont() override;
  PIX_CachedFont(const PIX_CachedFont&) = delete;
  PIX_CachedFont& operator=(const PIX_CachedFont&) = delete;

  void UseSystemFont(HFONT font, int options) override;
  PIX_PixelValue ReplaceForeground(PIX_PixelValue colour) override;
  PIX_PixelValue ReplaceBackground(PIX_PixelValue colour) override;
  PIX_PixelValue ReplaceEffectColor(PIX_PixelValue colour) override;
  int ReplaceBackgroundMode(int mode) override;
  void SetBlend(int mode, float alpha) override;
  int RenderText(PIX_IBitmap* target, const char* text, int count, IRectangle* rect,
                 unsigned format) override;
  PIX_PixelValue Foreground() const override { return foreground_; }
  HFONT SystemFont() const override { return font_; }
  int RowHeight() const override { return lineHeight_; }
  // Draws the cached glyph of a code with its top-left at (x, y), within clip and the
  // target. False when the code has no cached image or nothing of it is inside.
  virtual bool RenderGlyph(PIX_IBitmap* target, int code, int x, int y, const IRectangle* clip);

  int Options() const { return options_; }
  // The record of a code, rendering it first when it is needed and not yet rendered.
  // Null when the code has no record (see the failure rules of RenderGlyphImage).
  const CachedGlyph* GlyphFor(int code);
  // The cache itself, for looking at stored images.
  GlyphCache& Cache() { return cache_; }

 private:
  void RenderGlyphImage(int code);
  bool StoreGlyphImage(CachedGlyph* record, PIX_IBitmap& scratch, int width, int height,
                       int advance);
  void ReleaseFont();
  bool UsesGlyphPath(PIX_IBitmap* target, unsigned format, bool noNative) const;
  int MeasureGlyphs(const char* text, int count, IRectangle* rect, unsigned format);
  // Moves the pen to the start of the next line: down a row, or across one for turned text.
  void NextLine(int* x, int* y, int lineStartX, int lineStartY) const;
  int DrawGlyphs(PIX_IBitmap* target, const char* text, int count, IRectangle* rect,
                 unsigned format, bool noNative);
  int RenderNative(PIX_IBitmap* target, const char* text, int count, IRectangle* rect,
                   unsigned format);

  PIX_PixelValue foreground_ = 0;
  PIX_PixelValue background_ = 0xFFFFFFFF;
  PIX_PixelValue effect_ = 0xFFFFFFFF;
  int backgroundMode_ = PIX_BK_TRANSPARENT;
  int mode_ = 0;
  float alpha_ = 1.0f;
  int options_ = 0;
  int lineHeight_ = 0;
  GlyphCache cache_;
  HFONT font_ = nullptr;
};
