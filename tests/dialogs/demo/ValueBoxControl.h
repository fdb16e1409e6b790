#pragma once
// A framed box that shows its parameter's name and value, and asks for a new value with
// the editor's prompt (a menu for a choice, a text field otherwise) when pressed.

#include "gui/Control.h"

class ValueBoxControl : public IControl {
 public:
  ValueBoxControl(IEffectBase* plugin, const IRectangle& rect, int paramIdx,
                  const ITextStyle& style);

  void HandleMousePress(int x, int y, const IMouseModifiers& modifiers) override;
  bool Render(IGraphics& graphics) override;

 private:
  ITextStyle nameStyle_;
};
