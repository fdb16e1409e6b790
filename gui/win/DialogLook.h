#pragma once
// How the editor's own menus, message boxes and text fields look: a text style's font,
// its entry colours for ground and text, and the few drawing steps they share.

#include "raster/Bitmap.h"
#include "raster/Rectangle.h"

class PIX_CachedFont;

struct DialogLook {
  PIX_CachedFont* font = nullptr;  // null: texts are not drawn and measure 0
  PIX_PixelValue ground = 0xFFFFFFFF;
  PIX_PixelValue text = 0xFF000000;

  // Halfway between text and ground, for what cannot be chosen.
  PIX_PixelValue Greyed() const;
  int RowHeight() const;
  // The width of a single-line text; scratch is any bitmap.
  int TextWidth(PIX_IBitmap& scratch, const char* text) const;
  // Single-line text in colour, vertically centred in rect; format adds DT_CENTER or
  // DT_RIGHT.
  void DrawText(PIX_IBitmap& target, const char* text, const IRectangle& rect, unsigned format,
                PIX_PixelValue colour) const;
};

void FillBox(PIX_IBitmap& target, const IRectangle& rect, PIX_PixelValue colour);
// A one-pixel frame just inside rect.
void FrameBox(PIX_IBitmap& target, const IRectangle& rect, PIX_PixelValue colour);
