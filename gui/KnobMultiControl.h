#pragma once
// A knob drawn from a strip of pre-rendered frames, one per position. Dragging up (or
// right) raises the value; shift or control make the movement ten times finer.

#include "gui/ImageStrip.h"
#include "gui/KnobControl.h"

class IKnobMultiControl : public IKnobControl {
 public:
  // The knob is one frame of the strip in size, with its top-left at (x, y).
  IKnobMultiControl(IEffectBase* plugin, int x, int y, int paramIdx, const IImageStrip& strip,
                    IDirection direction = DIRECTION_VERTICAL, double gearing = 4.0);

  void HandleMouseDrag(int x, int y, int dx, int dy, const IMouseModifiers& modifiers) override;
  void HandleWheel(int x, int y, const IMouseModifiers& modifiers, int steps) override;
  bool Render(IGraphics& graphics) override;

 private:
  IImageStrip strip_;
};
