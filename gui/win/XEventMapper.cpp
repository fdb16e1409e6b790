#include "gui/win/XEventMapper.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>

#include "gui/win/KeyMapping.h"

namespace {
constexpr unsigned int kLeft = 1, kMiddle = 2, kRight = 3, kWheelUp = 4, kWheelDown = 5;

unsigned int MaskOf(unsigned int button) {
  switch (button) {
    case kLeft: return Button1Mask;
    case kRight: return Button3Mask;
    default: return 0;
  }
}

IMouseModifiers ModifiersOf(unsigned int state) {
  IMouseModifiers modifiers;
  modifiers.left = (state & Button1Mask) != 0;
  modifiers.right = (state & Button3Mask) != 0;
  modifiers.shift = (state & ShiftMask) != 0;
  modifiers.control = (state & ControlMask) != 0;
  modifiers.alt = (state & Mod1Mask) != 0;
  return modifiers;
}

WindowEvent PointerEvent(WindowEvent::Kind kind, int x, int y, unsigned int state,
                         unsigned long time) {
  WindowEvent mapped;
  mapped.kind = kind;
  mapped.x = x;
  mapped.y = y;
  mapped.modifiers = ModifiersOf(state);
  mapped.time = time;
  return mapped;
}

// The event state holds the buttons as they were before the event; a release no longer
// counts its own button as held.
WindowEvent MapButtonRelease(const XButtonEvent& e) {
  if (e.button != kLeft && e.button != kMiddle && e.button != kRight) return {};
  WindowEvent mapped = PointerEvent(WindowEvent::kRelease, e.x, e.y, e.state & ~MaskOf(e.button), e.time);
  mapped.button = static_cast<int>(e.button);
  return mapped;
}

WindowEvent MapMotion(const XMotionEvent& e) {
  WindowEvent mapped = PointerEvent(WindowEvent::kMotion, e.x, e.y, e.state, e.time);
  mapped.buttonHeld = (e.state & (Button1Mask | Button3Mask)) != 0;
  return mapped;
}

WindowEvent MapKey(XKeyEvent& e) {
  KeySym keysym = NoSymbol;
  char text[8];
  XLookupString(&e, text, sizeof text, &keysym, nullptr);
  WindowEvent mapped = PointerEvent(WindowEvent::kKey, e.x, e.y, e.state, e.time);
  mapped.key = KeyFromKeysym(keysym);
  return mapped;
}

WindowEvent MapExpose(const XExposeEvent& e) {
  WindowEvent mapped;
  mapped.kind = WindowEvent::kExpose;
  mapped.area = IRectangle{e.x, e.y, e.x + e.width, e.y + e.height};
  return mapped;
}
}  // namespace

WindowEvent XEventMapper::Map(XEvent& event) {
  switch (event.type) {
    case Expose: return MapExpose(event.xexpose);
    case ButtonPress: return MapButtonPress(event);
    case ButtonRelease: return MapButtonRelease(event.xbutton);
    case MotionNotify: return MapMotion(event.xmotion);
    case LeaveNotify:
      return PointerEvent(WindowEvent::kLeave, event.xcrossing.x, event.xcrossing.y,
                          event.xcrossing.state, event.xcrossing.time);
    case KeyPress: return MapKey(event.xkey);
    case DestroyNotify: {
      WindowEvent mapped;
      mapped.kind = WindowEvent::kDestroyed;
      return mapped;
    }
    default: return {};
  }
}

WindowEvent XEventMapper::MapButtonPress(const XEvent& event) {
  const XButtonEvent& e = event.xbutton;
  if (e.button == kWheelUp || e.button == kWheelDown) {
    WindowEvent mapped = PointerEvent(WindowEvent::kWheel, e.x, e.y, e.state, e.time);
    mapped.wheelSteps = e.button == kWheelUp ? 1 : -1;
    return mapped;
  }
  if (e.button != kLeft && e.button != kMiddle && e.button != kRight) return {};
  // A press counts its own button as held.
  WindowEvent mapped = PointerEvent(WindowEvent::kPress, e.x, e.y, e.state | MaskOf(e.button), e.time);
  mapped.button = static_cast<int>(e.button);
  const bool second = e.button == kLeft && IsSecondClick(e.x, e.y, e.time);
  if (second) mapped.kind = WindowEvent::kDoubleClick;
  // After a double click the next press starts counting anew.
  havePress_ = e.button == kLeft && !second;
  pressX_ = e.x;
  pressY_ = e.y;
  pressTime_ = e.time;
  return mapped;
}

// Server times wrap around every 49.7 days; the unsigned difference still holds.
bool XEventMapper::IsSecondClick(int x, int y, unsigned long time) const {
  const unsigned long elapsed = (time - pressTime_) & 0xFFFFFFFFUL;
  return havePress_ && elapsed <= kDoubleClickMs && std::abs(x - pressX_) <= kDoubleClickDistance &&
         std::abs(y - pressY_) <= kDoubleClickDistance;
}
