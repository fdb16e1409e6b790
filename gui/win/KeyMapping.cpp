#include "gui/win/KeyMapping.h"

#include <X11/keysym.h>

#include "gui/KeyCode.h"

namespace {
constexpr int kVirtualSpace = 32;
constexpr int kVirtualLeft = 37;
constexpr int kVirtualUp = 38;
constexpr int kVirtualRight = 39;
constexpr int kVirtualDown = 40;

bool Within(int value, int first, int last) { return value >= first && value <= last; }
}  // namespace

int KeyFromVirtualKey(int virtualKey) {
  switch (virtualKey) {
    case kVirtualSpace: return KEY_SPACE;
    case kVirtualLeft: return KEY_LEFT;
    case kVirtualUp: return KEY_UP;
    case kVirtualRight: return KEY_RIGHT;
    case kVirtualDown: return KEY_DOWN;
    default: break;
  }
  if (Within(virtualKey, '0', '9')) return virtualKey - '0' + KEY_DIGIT0;
  if (Within(virtualKey, 'A', 'Z')) return virtualKey - 'A' + KEY_A;
  if (Within(virtualKey, 'a', 'z')) return virtualKey - 'a' + KEY_A;
  return -1;
}

// Latin-1 keysyms of space, digits and letters are their character codes, which are also
// their virtual-key codes; the arrows (keypad ones included) are named. The characters
// whose codes the arrows have as virtual keys ('%' to '(') are no arrows.
int KeyFromKeysym(unsigned long keysym) {
  switch (keysym) {
    case XK_Left: case XK_KP_Left: return KEY_LEFT;
    case XK_Up: case XK_KP_Up: return KEY_UP;
    case XK_Right: case XK_KP_Right: return KEY_RIGHT;
    case XK_Down: case XK_KP_Down: return KEY_DOWN;
    default: break;
  }
  const int code = keysym <= 'z' ? static_cast<int>(keysym) : -1;
  return Within(code, kVirtualLeft, kVirtualDown) ? -1 : KeyFromVirtualKey(code);
}
