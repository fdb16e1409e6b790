#pragma once
// A text drawn with a bitmap font: a strip with one frame per character from the space
// character on, laid out in cells of a fixed size and aligned by the text style.

#include <string>

#include "gui/Control.h"
#include "gui/ImageStrip.h"

class IBitmapTextControl : public IControl {
 public:
  // A given style replaces the control's whole text style; null keeps the default.
  IBitmapTextControl(IEffectBase* plugin, const IRectangle& rect, const IImageStrip& font,
                     const char* text = "", const ITextStyle* style = nullptr, bool wrap = true,
                     bool centreVertically = false, int charWidth = 6, int charHeight = 12,
                     int charSpacing = 0);

  bool Render(IGraphics& graphics) override;
  // Shows text; the control is redrawn only when the text changes.
  void SetText(const char* text);
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  int32_t charWidth_;
  int32_t charHeight_;
  int32_t charSpacing_;
  IImageStrip font_;
  bool wrap_;
  bool centreVertically_;
};
