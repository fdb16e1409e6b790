#include "gui/TextStyle.h"

#include "core/TextField.h"

ITextStyle::ITextStyle(int size, const IArgbColour* colour, const char* fontName,
                       IFontStyle fontStyle, ITextAlign alignment, int orientation,
                       ITextQuality quality, const IArgbColour& entryBackground,
                       const IArgbColour& entryTextColour)
    : size(size),
      colour(colour != nullptr ? *colour : kOpaqueBlack),
      entryBackground(entryBackground),
      entryTextColour(entryTextColour),
      fontStyle(fontStyle),
      alignment(alignment),
      orientation(orientation),
      quality(quality),
      resolvedFont(nullptr) {
  CopyField(this->fontName, kFontNameSize, fontName != nullptr ? fontName : "Verdana");
}
