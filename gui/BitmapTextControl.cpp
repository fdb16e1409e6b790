#include "gui/BitmapTextControl.h"

#include "gui/Graphics.h"

IBitmapTextControl::IBitmapTextControl(IEffectBase* plugin, const IRectangle& rect,
                                       const IImageStrip& font, const char* text,
                                       const ITextStyle* style, bool wrap,
                                       bool centreVertically, int charWidth, int charHeight,
                                       int charSpacing)
    : IControl(plugin, rect),
      text_(text != nullptr ? text : ""),
      charWidth_(charWidth),
      charHeight_(charHeight),
      charSpacing_(charSpacing),
      font_(font),
      wrap_(wrap),
      centreVertically_(centreVertically) {
  if (style != nullptr) textStyle_ = *style;
}

bool IBitmapTextControl::Render(IGraphics& graphics) {
  if (!text_.empty()) {
    graphics.RenderGlyphText(font_, rect_, textStyle_, &blend_, text_.c_str(), centreVertically_,
                             wrap_, charWidth_, charHeight_, charSpacing_);
  }
  return true;
}

void IBitmapTextControl::SetText(const char* text) {
  if (text == nullptr) text = "";
  if (text_ == text) return;
  MarkDirty(false);
  text_ = text;
}
