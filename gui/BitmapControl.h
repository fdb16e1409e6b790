#pragma once
// A control that shows one frame of an image strip, chosen by its value (the first frame
// for 0, the last for 1). The editor's background is one.

#include "gui/Control.h"
#include "gui/ImageStrip.h"

class IBitmapControl : public IControl {
 public:
  // The control is one frame of the strip in size, with its top-left at (x, y).
  IBitmapControl(IEffectBase* plugin, int x, int y, int paramIdx, const IImageStrip& strip,
                 IBlendMethod blendMethod = BLEND_ALPHA);

  bool Render(IGraphics& graphics) override;

 protected:
  IImageStrip strip_;
};
