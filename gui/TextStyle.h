#pragma once
// How the editor draws a text: system font face, size, colours, style, alignment, angle
// and smoothing. The system font it resolves to is remembered in the style; the font cache
// owns it and keeps it for the life of the module.

#include <cstdint>

#include "gui/ArgbColour.h"

class PIX_CachedFont;

enum IFontStyle : int32_t { FONT_NORMAL = 0, FONT_BOLD = 1, FONT_ITALIC = 2 };
enum ITextAlign : int32_t { ALIGN_NEAR = 0, ALIGN_CENTRE = 1, ALIGN_FAR = 2 };
enum ITextQuality : int32_t {
  QUALITY_DEFAULT = 0,
  QUALITY_PLAIN = 1,
  QUALITY_SMOOTH = 2,
  QUALITY_SUBPIXEL = 3,
};

struct ITextStyle {
  static constexpr int kFontNameSize = 32;

  // A null colour means opaque black, a null name "Verdana".
  explicit ITextStyle(int size = 12, const IArgbColour* colour = nullptr,
                      const char* fontName = nullptr, IFontStyle fontStyle = FONT_NORMAL,
                      ITextAlign alignment = ALIGN_CENTRE, int orientation = 0,
                      ITextQuality quality = QUALITY_DEFAULT,
                      const IArgbColour& entryBackground = kOpaqueWhite,
                      const IArgbColour& entryTextColour = kOpaqueBlack);

  char fontName[kFontNameSize];
  int32_t size;  // character height in pixels
  IArgbColour colour;
  IArgbColour entryBackground;  // of the in-place text field
  IArgbColour entryTextColour;
  IFontStyle fontStyle;
  ITextAlign alignment;
  int32_t orientation;  // text angle in degrees
  ITextQuality quality;
  PIX_CachedFont* resolvedFont;  // not owned
};
