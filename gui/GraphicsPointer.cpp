// Pointer and key events of IGraphics: hit testing, capture, dragging, double clicks,
// hover and the parameter gestures that presses and releases send to the plug-in.

#include "core/EffectBase.h"
#include "gui/Control.h"
#include "gui/Graphics.h"

int IGraphics::FindControlAt(int x, int y, bool forHover) const {
  if (Control(captured_) != nullptr) return captured_;
  for (int i = ControlCount() - 1; i >= 0; --i) {
    IControl& control = *controls_[static_cast<size_t>(i)];
    if (control.IsHidden()) continue;
    if (control.IsGreyed() && !(forHover && control.HoverWhenGreyed())) continue;
    if (control.HitTest(x, y)) return i;
  }
  return -1;
}

void IGraphics::MousePressed(int x, int y, const IMouseModifiers& modifiers) {
  ReleasePointer();
  const int index = FindControlAt(x, y, false);
  if (index < 0) return;
  captured_ = index;
  lastX_ = x;
  lastY_ = y;
  IControl& control = *Control(index);
  if (control.ParamIdx() >= 0 && plugin_ != nullptr) {
    gestureParam_ = control.ParamIdx();
    plugin_->BeginParameterGesture(gestureParam_);
  }
  control.HandleMousePress(x, y, modifiers);
}

// Only a release that follows a press ends a gesture: the release after a double click,
// for one, belongs to no gesture.
void IGraphics::MouseReleased(int x, int y, const IMouseModifiers& modifiers) {
  const int index = FindControlAt(x, y, false);
  ForgetPointer();
  if (index >= 0) Control(index)->HandleMouseRelease(x, y, modifiers);
  EndOpenGesture();
}

void IGraphics::MouseDragged(int x, int y, const IMouseModifiers& modifiers) {
  IControl* control = Control(captured_);
  if (control == nullptr || (x == lastX_ && y == lastY_)) return;
  const int dx = x - lastX_, dy = y - lastY_;
  lastX_ = x;
  lastY_ = y;
  control->HandleMouseDrag(x, y, dx, dy, modifiers);
}

bool IGraphics::MouseDoubleClicked(int x, int y, const IMouseModifiers& modifiers) {
  ReleasePointer();
  const int index = FindControlAt(x, y, false);
  if (index < 0) return false;
  IControl& control = *Control(index);
  if (!control.DoubleClickAsPress()) {
    control.HandleDoubleClick(x, y, modifiers);
    return false;
  }
  captured_ = index;
  lastX_ = x;
  lastY_ = y;
  control.HandleMousePress(x, y, modifiers);
  return true;
}

bool IGraphics::MouseHovered(int x, int y, const IMouseModifiers& modifiers) {
  if (!handleMouseOver_) return false;
  const int index = FindControlAt(x, y, true);
  if (index < 0) return true;
  lastX_ = x;
  lastY_ = y;
  Control(index)->HandleMouseHover(x, y, modifiers);
  if (hovered_ != index) {
    if (IControl* previous = Control(hovered_)) previous->HandleMouseLeave();
  }
  hovered_ = index;
  return true;
}

void IGraphics::MouseLeftWindow() {
  for (const auto& control : controls_) control->HandleMouseLeave();
  hovered_ = -1;
}

bool IGraphics::KeyPressed(int x, int y, IKeyCode key) {
  const int index = FindControlAt(x, y, false);
  // Keys over the background or over no control are left to the host.
  if (index < 1) return false;
  return Control(index)->HandleKey(x, y, key);
}
