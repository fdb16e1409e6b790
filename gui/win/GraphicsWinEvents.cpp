// The window's events as the editor handles them: presses with the keyboard focus and the
// pointer captured (X grabs the pointer from a press to its release by itself), drags
// while captured, releases, double clicks, wheel notches on the control under the
// pointer, hover and leave, keys, and tooltips shown once the pointer rests.

#include "gui/Control.h"
#include "gui/win/GraphicsWin.h"
#include "gui/win/KeyMapping.h"
#include "gui/win/XEditorWindow.h"
#include "gui/win/XErrorTrap.h"
#include "gui/win/XTooltip.h"

namespace {
constexpr int kLeftButton = 1;
constexpr int kRightButton = 3;
constexpr auto kHoverTime = std::chrono::milliseconds(400);
// A key that comes both ways, as an X event and from the host, arrives twice within
// this time (the X event waits for the next idle call).
constexpr auto kDuplicateKeyTime = std::chrono::milliseconds(150);
constexpr int kTooltipBelowPointer = 20;
}  // namespace

bool IGraphicsWin::TakeDuplicate(RecentKey& other, int key, Clock::time_point now) {
  if (other.key != key || now - other.at > kDuplicateKeyTime) return false;
  other.key = -1;
  return true;
}

void IGraphicsWin::HandleWindowEvent(const WindowEvent& event) {
  if (entry_ != nullptr && event.kind != WindowEvent::kDestroyed) return HandleEventWithEntry(event);
  switch (event.kind) {
    case WindowEvent::kPress: return HandlePress(event);
    case WindowEvent::kDoubleClick:
      if (MouseDoubleClicked(event.x, event.y, event.modifiers)) pointerCaptured_ = true;
      return;
    case WindowEvent::kRelease: return HandleRelease(event);
    case WindowEvent::kWheel: return HandleWheel(event);
    case WindowEvent::kMotion: return HandleMotion(event);
    case WindowEvent::kLeave: return HandleLeave();
    case WindowEvent::kKey: return HandleKey(event);
    case WindowEvent::kDestroyed: return window_->MarkDestroyed();
    default: return;
  }
}

// While the field has the focus the editor only notices presses; otherwise it works on,
// without drags, except that presses and wheel turns end the entry.
void IGraphicsWin::HandleEventWithEntry(const WindowEvent& event) {
  const bool press = event.kind == WindowEvent::kPress || event.kind == WindowEvent::kDoubleClick;
  if (press) HideTooltip();
  if (press || event.kind == WindowEvent::kWheel) return InterruptEntry(event);
  if (entryState_ == kEntryFocused) return;
  switch (event.kind) {
    case WindowEvent::kRelease: return HandleRelease(event);
    case WindowEvent::kMotion:
      if (!event.buttonHeld) HandleMotion(event);
      return;
    case WindowEvent::kLeave: return HandleLeave();
    case WindowEvent::kKey: return HandleKey(event);
    default: return;
  }
}

void IGraphicsWin::HandlePress(const WindowEvent& event) {
  HideTooltip();
  {
    XErrorTrap trap(*connection_);
    window_->TakeFocus(event.time);
  }
  pointerCaptured_ = true;
  pointerX_ = event.x;
  pointerY_ = event.y;
  dialogTookPointer_ = false;
  MousePressed(event.x, event.y, event.modifiers);
  if (!dialogTookPointer_) return;
  dialogTookPointer_ = false;
  pointerCaptured_ = false;
  ReleasePointer();
}

// A middle-button release is not handled: its control stays captured until the next
// press or left or right release.
void IGraphicsWin::HandleRelease(const WindowEvent& event) {
  if (event.button != kLeftButton && event.button != kRightButton) return;
  pointerCaptured_ = false;
  MouseReleased(event.x, event.y, event.modifiers);
}

void IGraphicsWin::HandleWheel(const WindowEvent& event) {
  const int index = FindControlAt(event.x, event.y, false);
  if (IControl* control = Control(index)) {
    control->HandleWheel(event.x, event.y, event.modifiers, event.wheelSteps);
  }
}

void IGraphicsWin::HandleMotion(const WindowEvent& event) {
  pointerX_ = event.x;
  pointerY_ = event.y;
  if (event.buttonHeld) {
    if (pointerCaptured_) MouseDragged(event.x, event.y, event.modifiers);
    return;
  }
  MouseHovered(event.x, event.y, event.modifiers);
  if (TooltipsWanted()) TrackTooltip(event.x, event.y);
}

// The pointer leaving during a drag is part of the drag.
void IGraphicsWin::HandleLeave() {
  if (pointerCaptured_) return;
  pointerX_ = pointerY_ = -1;
  HideTooltip();
  MouseLeftWindow();
}

void IGraphicsWin::HandleKey(const WindowEvent& event) {
  if (event.key < 0) return;
  const Clock::time_point now = Clock::now();
  if (TakeDuplicate(lastHostKey_, event.key, now)) return;
  lastWindowKey_ = RecentKey{event.key, now};
  KeyPressed(event.x, event.y, static_cast<IKeyCode>(event.key));
}

// While a text entry is open keys are the field's, which has them from the server: the
// host's copies are taken without being used.
bool IGraphicsWin::HostKeyPressed(int virtualKey) {
  if (entry_ != nullptr) return true;
  const int key = KeyFromVirtualKey(virtualKey);
  if (window_ == nullptr || key < 0) return false;
  auto lock = LockPlugin();
  const Clock::time_point now = Clock::now();
  if (TakeDuplicate(lastWindowKey_, key, now)) return true;
  lastHostKey_ = RecentKey{key, now};
  return KeyPressed(pointerX_, pointerY_, static_cast<IKeyCode>(key));
}

// A new control under the pointer hides the tooltip and starts the wait for the next.
void IGraphicsWin::TrackTooltip(int x, int y) {
  const int index = FindControlAt(x, y, true);
  if (index != tooltipControl_) {
    tooltipControl_ = index;
    HideTooltip();
    hoverPending_ = index >= 0;
  }
  hoverSince_ = Clock::now();
}

void IGraphicsWin::ShowRestingTooltip() {
  if (!hoverPending_ || tooltip_ == nullptr || Clock::now() - hoverSince_ < kHoverTime) return;
  hoverPending_ = false;
  const IControl* control = Control(tooltipControl_);
  if (control == nullptr || pointerX_ < 0) return;
  int screenX = 0, screenY = 0;
  window_->ToScreen(pointerX_, pointerY_ + kTooltipBelowPointer, screenX, screenY);
  tooltip_->Show(control->Tooltip().c_str(), screenX, screenY);
}

void IGraphicsWin::HideTooltip() {
  if (tooltip_ == nullptr || !tooltip_->Visible()) return;
  XErrorTrap trap(*connection_);
  tooltip_->Hide();
}
