#pragma once
// The base of knobs: a control turned by dragging along one direction, with a gearing
// that sets how many pixels a full sweep takes (gearing × the control's extent).

#include "gui/Control.h"

class IKnobControl : public IControl {
 public:
  IKnobControl(IEffectBase* plugin, const IRectangle& rect, int paramIdx,
               IDirection direction = DIRECTION_VERTICAL, double gearing = 4.0)
      : IControl(plugin, rect, paramIdx), direction_(direction), gearing_(gearing) {}

 protected:
  IDirection direction_;
  double gearing_;
};
