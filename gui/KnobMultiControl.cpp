#include "gui/KnobMultiControl.h"

#include "gui/Graphics.h"

namespace {
constexpr double kFineGearing = 10.0;
}  // namespace

IKnobMultiControl::IKnobMultiControl(IEffectBase* plugin, int x, int y, int paramIdx,
                                     const IImageStrip& strip, IDirection direction,
                                     double gearing)
    : IKnobControl(plugin, {x, y, x + strip.FrameWidth(), y + strip.FrameHeight()}, paramIdx,
                   direction, gearing),
      strip_(strip) {}

void IKnobMultiControl::HandleMouseDrag(int, int, int dx, int dy,
                                        const IMouseModifiers& modifiers) {
  const double gearing = modifiers.Fine() ? gearing_ * kFineGearing : gearing_;
  const bool vertical = direction_ == DIRECTION_VERTICAL;
  // Negative for vertical knobs, so that moving up raises the value.
  const double extent = vertical ? double(rect_.top) - rect_.bottom : double(rect_.right) - rect_.left;
  // A knob without extent or gearing cannot be turned.
  if (extent == 0.0 || gearing == 0.0) return;
  value_ += (vertical ? dy : dx) / extent / gearing;
  MarkDirty(true);
}

void IKnobMultiControl::HandleWheel(int, int, const IMouseModifiers& modifiers, int steps) {
  StepValueByWheel(modifiers, steps);
}

bool IKnobMultiControl::Render(IGraphics& graphics) {
  return graphics.BlitFrame(strip_, rect_, strip_.FrameForValue(value_), &blend_);
}
