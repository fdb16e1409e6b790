#include "gui/FaderControl.h"

#include <algorithm>

#include "core/SafeNumbers.h"
#include "gui/Graphics.h"
#include "gui/RectangleOps.h"

namespace {
IRectangle TrackRect(int x, int y, int length, const IImageStrip& handle, IDirection direction) {
  if (direction == DIRECTION_VERTICAL) return {x, y, x + handle.FrameWidth(), y + length};
  return {x, y, x + length, y + handle.FrameHeight()};
}
}  // namespace

IFaderControl::IFaderControl(IEffectBase* plugin, int x, int y, int length, int paramIdx,
                             const IImageStrip& handle, IDirection direction, bool handleOnly)
    : IControl(plugin, TrackRect(x, y, length, handle, direction), paramIdx),
      length_(length),
      handleSize_(direction == DIRECTION_VERTICAL ? handle.FrameHeight() : handle.FrameWidth()),
      handle_(handle),
      direction_(direction),
      handleOnly_(handleOnly) {}

int IFaderControl::Travel() const { return std::max(length_ - handleSize_, 0); }

IRectangle IFaderControl::HandleRect(double value) const {
  if (value < 0.0) value = value_;
  IRectangle r{rect_.left, rect_.top, rect_.left + handle_.FrameWidth(),
               rect_.top + handle_.FrameHeight()};
  if (direction_ == DIRECTION_VERTICAL) {
    const int down = TruncateToInt(Travel() * (1.0 - value));
    r.top += down;
    r.bottom += down;
  } else {
    const int across = TruncateToInt(Travel() * value);
    r.left += across;
    r.right += across;
  }
  return r;
}

void IFaderControl::JumpToPointer(int x, int y) {
  const int travel = Travel();
  if (travel == 0) return;
  const int half = handleSize_ / 2;
  if (direction_ == DIRECTION_VERTICAL) {
    value_ = 1.0 - (y - half - rect_.top) / double(travel);
  } else {
    value_ = (x - half - rect_.left) / double(travel);
  }
  MarkDirty(true);
}

void IFaderControl::HandleMousePress(int x, int y, const IMouseModifiers& modifiers) {
  if (modifiers.right) {
    PromptForValue();
  } else {
    JumpToPointer(x, y);
  }
}

void IFaderControl::HandleMouseDrag(int x, int y, int, int, const IMouseModifiers&) {
  JumpToPointer(x, y);
}

void IFaderControl::HandleWheel(int, int, const IMouseModifiers& modifiers, int steps) {
  StepValueByWheel(modifiers, steps);
}

bool IFaderControl::Render(IGraphics& graphics) {
  return graphics.BlitImage(handle_, HandleRect(), 0, 0, &blend_);
}

bool IFaderControl::HitTest(int x, int y) {
  return Contains(handleOnly_ ? HandleRect() : targetRect_, x, y);
}
