#include "platform/DisplayProbe.h"

#include <X11/Xlib.h>

bool CanOpenDisplay() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XCloseDisplay(display);
  return true;
}
