#include "gui/win/XTopLevelAncestor.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
// The window's parent; 0 when the server cannot tell or window is the root.
Window ParentOf(Display* display, Window window) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
  if (children != nullptr) XFree(children);
  return window == root ? 0 : parent;
}

bool ClassOf(Display* display, Window window, std::string& className) {
  XClassHint hint{};
  if (!XGetClassHint(display, window, &hint)) return false;
  className = hint.res_class != nullptr ? hint.res_class : "";
  if (hint.res_name != nullptr) XFree(hint.res_name);
  if (hint.res_class != nullptr) XFree(hint.res_class);
  return true;
}
}  // namespace

XResourceId TopLevelAncestor(XDisplayConnection& connection, XResourceId window,
                             std::string& className) {
  Display* display = connection.Handle();
  const Window root = DefaultRootWindow(display);
  Window found = 0, current = ParentOf(display, window);
  className.clear();
  std::string name;
  while (current != 0 && current != root) {
    const Window parent = ParentOf(display, current);
    if (ClassOf(display, current, name)) {
      found = current;
      className = name;
    } else if (parent == root && found == 0) {
      found = current;
    }
    current = parent;
  }
  return found;
}
