#include "gui/BitmapControl.h"

#include "gui/Graphics.h"

IBitmapControl::IBitmapControl(IEffectBase* plugin, int x, int y, int paramIdx,
                               const IImageStrip& strip, IBlendMethod blendMethod)
    : IControl(plugin, {x, y, x + strip.FrameWidth(), y + strip.FrameHeight()}, paramIdx,
               {blendMethod, 1.0f}),
      strip_(strip) {}

bool IBitmapControl::Render(IGraphics& graphics) {
  return graphics.BlitFrame(strip_, rect_, strip_.FrameForValue(value_), &blend_);
}
