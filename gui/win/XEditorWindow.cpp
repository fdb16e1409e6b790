#include "gui/win/XEditorWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "gui/win/XErrorTrap.h"

namespace {
constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | LeaveWindowMask | KeyPressMask |
                            StructureNotifyMask;
constexpr long kXEmbedVersion = 0;
constexpr long kXEmbedMapped = 1;

struct EventWindows {
  XResourceId window;
  XResourceId also;
};

Bool IsForWindows(Display*, XEvent* event, XPointer windows) {
  const auto* w = reinterpret_cast<const EventWindows*>(windows);
  return event->xany.window == w->window || (w->also != 0 && event->xany.window == w->also);
}
}  // namespace

// The parent may be a window the server has not seen yet: it is looked up under a trap
// that waits for the server first.
XEditorWindow::XEditorWindow(XDisplayConnection& connection, XResourceId parent, int x, int y,
                             int width, int height)
    : connection_(connection), parent_(parent) {
  Display* display = connection.Handle();
  XErrorTrap trap(connection);
  firstSerial_ = trap.FirstSerial();
  XWindowAttributes parentAttributes;
  if (parent == 0 || !XGetWindowAttributes(display, parent, &parentAttributes) || !trap.Sync()) {
    return;
  }
  const XVisualFormat& format = connection.Visual();
  auto* visual = static_cast<Visual*>(format.visual);
  colormap_ = XCreateColormap(display, parent, visual, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.colormap = colormap_;
  attributes.border_pixel = 0;
  attributes.background_pixmap = None;  // the window shows only what the editor draws
  attributes.event_mask = kEventMask;
  window_ = XCreateWindow(display, parent, x, y, static_cast<unsigned>(width),
                          static_cast<unsigned>(height), 0, format.depth, InputOutput, visual,
                          CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask, &attributes);
  Describe(width, height);
  XMapWindow(display, window_);
  if (!trap.Sync()) Destroy();
}

XEditorWindow::~XEditorWindow() { Destroy(); }

// Events still queued for the window would stay in the shared queue for good.
void XEditorWindow::Destroy() {
  Display* display = connection_.Handle();
  XErrorTrap trap(connection_);
  if (window_ != 0) {
    XSelectInput(display, window_, NoEventMask);
    XDestroyWindow(display, window_);
  }
  if (blankCursor_ != 0) XFreeCursor(display, blankCursor_);
  if (colormap_ != 0) XFreeColormap(display, colormap_);
  trap.Sync();
  XEvent event;
  while (window_ != 0 && NextEvent(event, 0)) {
  }
  window_ = colormap_ = blankCursor_ = 0;
}

void XEditorWindow::Describe(int width, int height) {
  Display* display = connection_.Handle();
  SetFixedSize(width, height);
  XClassHint windowClass;
  char name[] = "Plugin";
  char className[] = "PluginWndClass";
  windowClass.res_name = name;
  windowClass.res_class = className;
  XSetClassHint(display, window_, &windowClass);
  XStoreName(display, window_, name);
  const long xembedInfo[2] = {kXEmbedVersion, kXEmbedMapped};
  XChangeProperty(display, window_, connection_.XEmbedInfoAtom(), connection_.XEmbedInfoAtom(), 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(xembedInfo), 2);
}

void XEditorWindow::SetFixedSize(int width, int height) {
  XSizeHints hints{};
  hints.flags = PSize | PMinSize | PMaxSize;
  hints.width = hints.min_width = hints.max_width = width;
  hints.height = hints.min_height = hints.max_height = height;
  XSetWMNormalHints(connection_.Handle(), window_, &hints);
}

bool XEditorWindow::Gone() const {
  return destroyed_ || window_ == 0 || !connection_.Alive() ||
         connection_.ResourceGoneSince(window_, firstSerial_) ||
         connection_.ResourceGoneSince(parent_, firstSerial_);
}

bool XEditorWindow::Position(int& x, int& y) const {
  Window root = 0;
  unsigned int width = 0, height = 0, border = 0, depth = 0;
  XErrorTrap trap(connection_);
  return XGetGeometry(connection_.Handle(), window_, &root, &x, &y, &width, &height, &border,
                      &depth) &&
         trap.Sync();
}

void XEditorWindow::Resize(int width, int height) {
  XResizeWindow(connection_.Handle(), window_, static_cast<unsigned>(width),
                static_cast<unsigned>(height));
  SetFixedSize(width, height);
}

bool XEditorWindow::NextEvent(XEvent& event, XResourceId also) {
  EventWindows windows{window_, also};
  return XCheckIfEvent(connection_.Handle(), &event, &IsForWindows,
                       reinterpret_cast<XPointer>(&windows));
}

// Focus is taken on a click only; the window may not be viewable then, which the trap
// of the caller absorbs.
void XEditorWindow::TakeFocus(unsigned long time) {
  XSetInputFocus(connection_.Handle(), window_, RevertToPointerRoot, time);
  XFlush(connection_.Handle());
}

bool XEditorWindow::PointerOnScreen(int& x, int& y) const {
  Window root = 0, child = 0;
  int windowX = 0, windowY = 0;
  unsigned int mask = 0;
  return XQueryPointer(connection_.Handle(), window_, &root, &child, &x, &y, &windowX, &windowY,
                       &mask);
}

void XEditorWindow::ToScreen(int x, int y, int& screenX, int& screenY) const {
  Display* display = connection_.Handle();
  Window child = 0;
  screenX = x;
  screenY = y;
  XTranslateCoordinates(display, window_, DefaultRootWindow(display), x, y, &screenX, &screenY,
                        &child);
}

void XEditorWindow::HidePointer() {
  Display* display = connection_.Handle();
  if (blankCursor_ == 0) {
    static const char kBlank[1] = {0};
    Pixmap pixmap = XCreateBitmapFromData(display, window_, kBlank, 1, 1);
    XColor black{};
    blankCursor_ = XCreatePixmapCursor(display, pixmap, pixmap, &black, &black, 0, 0);
    XFreePixmap(display, pixmap);
  }
  XDefineCursor(display, window_, blankCursor_);
  XFlush(display);
}

void XEditorWindow::ShowPointerAt(int screenX, int screenY) {
  Display* display = connection_.Handle();
  XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, screenX, screenY);
  XUndefineCursor(display, window_);
  XFlush(display);
}
