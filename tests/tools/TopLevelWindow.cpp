#include "tools/TopLevelWindow.h"

#include <X11/Xlib.h>
#include <unistd.h>

namespace {

constexpr int kAttempts = 250;
constexpr useconds_t kAttemptInterval = 20000;

Window FindByTitle(Display* display, const std::string& title) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) && name) {
      if (title == name) found = children[i];
      XFree(name);
    }
  }
  if (children) XFree(children);
  return found;
}

Window WaitForTitle(Display* display, const std::string& title) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const Window found = FindByTitle(display, title);
    if (found) return found;
    usleep(kAttemptInterval);
  }
  return 0;
}

void SendDeleteWindow(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
}

bool WithWindow(const std::string& displayName, const std::string& title, bool close) {
  Display* display = XOpenDisplay(displayName.c_str());
  if (!display) return false;
  const Window window = WaitForTitle(display, title);
  if (window && close) SendDeleteWindow(display, window);
  XCloseDisplay(display);
  return window != 0;
}

}  // namespace

bool WaitForTopLevelWindow(const std::string& displayName, const std::string& title) {
  return WithWindow(displayName, title, false);
}

bool AskTopLevelWindowToClose(const std::string& displayName, const std::string& title) {
  return WithWindow(displayName, title, true);
}
