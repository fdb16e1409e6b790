#pragma once
// The abstract font of the raster library: a system font with colours, a background mode
// and a blend, that measures and draws UTF-8 text into bitmaps.

#include "platform/FontFace.h"
#include "raster/Bitmap.h"
#include "raster/Rectangle.h"

// Options given to UseSystemFont.
enum : int {
  PIX_FONTOPT_ROTATED = 0x1,     // glyphs turned a quarter clockwise, text runs downward
  PIX_FONTOPT_ROTATED_UP = 0x2,  // with 0x1: turned counter-clockwise, text runs upward
  PIX_FONTOPT_PRERENDER = 0x4,   // render codes 0-127 at once; never cache other codes
  PIX_FONTOPT_BLUR = 0x10,
  PIX_FONTOPT_INVERT = 0x20,
  PIX_FONTOPT_MONO = 0x40,
  PIX_FONTOPT_SHADOW = 0x80,
  PIX_FONTOPT_OUTLINE = 0x100,
  PIX_FONTOPT_OWNS_FONT = 0x200,  // delete the system font when replaced or destroyed
  PIX_FONTOPT_NATIVE = 0x400,     // let the system draw the text when it can
};

// Format bits of RenderText beyond the system's text-drawing bits.
enum : unsigned {
  PIX_TEXT_USE_COLOR_ALPHA = 0x40000000u,  // scale the opacity by the text colour's alpha
  PIX_TEXT_NO_NATIVE = 0x80000000u,        // never let the system draw this call
};

// Background modes.
enum : int { PIX_BK_TRANSPARENT = 1, PIX_BK_OPAQUE = 2 };

class PIX_IFont {
 public:
  virtual ~PIX_IFont() = default;
  // Attaches a system font with the given options and empties the glyph cache.
  virtual void UseSystemFont(HFONT font, int options) = 0;
  // Each Replace operation returns the previous value.
  virtual PIX_PixelValue ReplaceForeground(PIX_PixelValue colour) = 0;
  virtual PIX_PixelValue ReplaceBackground(PIX_PixelValue colour) = 0;
  virtual PIX_PixelValue ReplaceEffectColor(PIX_PixelValue colour) = 0;
  virtual int ReplaceBackgroundMode(int mode) = 0;
  virtual void SetBlend(int mode, float alpha) = 0;
  // Draws text into rect of target, or measures it with DT_CALCRECT (target may then be
  // null). count -1: up to the terminating zero.
  virtual int RenderText(PIX_IBitmap* target, const char* text, int count, IRectangle* rect,
                         unsigned format) = 0;
  virtual PIX_PixelValue Foreground() const = 0;
  virtual HFONT SystemFont() const = 0;
  virtual int RowHeight() const = 0;
};
