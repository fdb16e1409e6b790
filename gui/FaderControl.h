#pragma once
// A slider: a handle image that travels along a track of the given length. A press puts
// the handle's centre under the pointer and dragging makes it follow; the top (or left)
// end is 1 for a vertical fader, the right end 1 for a horizontal one.

#include "gui/Control.h"
#include "gui/ImageStrip.h"

class IFaderControl : public IControl {
 public:
  // The track starts at (x, y); the handle strip's frame gives its width and the handle's
  // size along the track.
  IFaderControl(IEffectBase* plugin, int x, int y, int length, int paramIdx,
                const IImageStrip& handle, IDirection direction = DIRECTION_VERTICAL,
                bool handleOnly = false);

  void HandleMousePress(int x, int y, const IMouseModifiers& modifiers) override;
  void HandleMouseDrag(int x, int y, int dx, int dy, const IMouseModifiers& modifiers) override;
  void HandleWheel(int x, int y, const IMouseModifiers& modifiers, int steps) override;
  bool Render(IGraphics& graphics) override;
  // With handleOnly only the handle reacts to the pointer, otherwise the whole track.
  bool HitTest(int x, int y) override;
  // Sets the value that puts the handle's centre at the pointer.
  virtual void JumpToPointer(int x, int y);

  // Where the handle is drawn for value (the current value when negative).
  IRectangle HandleRect(double value = -1.0) const;
  int HandleSize() const { return handleSize_; }

 private:
  // How far the handle moves from one end to the other; 0 when it cannot move.
  int Travel() const;

  int32_t length_;
  int32_t handleSize_;
  IImageStrip handle_;
  IDirection direction_;
  bool handleOnly_;
};
