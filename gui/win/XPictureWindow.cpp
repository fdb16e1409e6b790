#include "gui/win/XPictureWindow.h"

#include <X11/Xlib.h>

#include "gui/win/XPresenter.h"

namespace {
Bool IsForWindow(Display*, XEvent* event, XPointer window) {
  return event->xany.window == *reinterpret_cast<const XResourceId*>(window);
}
}  // namespace

XPictureWindow::XPictureWindow(XDisplayConnection& connection, Kind kind, XResourceId parent,
                               int x, int y, int width, int height, long eventMask)
    : connection_(connection), picture_(width, height) {
  Display* display = connection.Handle();
  const XVisualFormat& format = connection.Visual();
  auto* visual = static_cast<Visual*>(format.visual);
  const Window root = DefaultRootWindow(display);
  const Window container = kind == kChild ? parent : root;
  colormap_ = XCreateColormap(display, container, visual, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = kind == kPopup ? True : False;
  attributes.colormap = colormap_;
  attributes.border_pixel = 0;
  attributes.background_pixmap = None;
  attributes.event_mask = eventMask | ExposureMask;
  window_ = XCreateWindow(display, container, x, y, static_cast<unsigned>(width),
                          static_cast<unsigned>(height), 0, format.depth, InputOutput, visual,
                          CWOverrideRedirect | CWColormap | CWBorderPixel | CWBackPixmap |
                              CWEventMask,
                          &attributes);
  presenter_ = std::make_unique<XPresenter>(connection, window_, width, height, false);
}

// Events still queued for the window would stay in the shared queue for good.
XPictureWindow::~XPictureWindow() {
  Display* display = connection_.Handle();
  presenter_.reset();
  XSelectInput(display, window_, NoEventMask);
  XDestroyWindow(display, window_);
  XFreeColormap(display, colormap_);
  XSync(display, False);
  XEvent event;
  while (NextEvent(event)) {
  }
}

void XPictureWindow::Map() {
  XMapRaised(connection_.Handle(), window_);
  XFlush(connection_.Handle());
}

void XPictureWindow::Show() {
  if (picture_.PixelData() == nullptr) return;
  presenter_->Add(IRectangle{0, 0, picture_.Width(), picture_.Height()});
  presenter_->Stage(picture_);
  presenter_->Send();
}

bool XPictureWindow::NextEvent(XEvent& event) {
  XResourceId window = window_;
  return XCheckIfEvent(connection_.Handle(), &event, &IsForWindow,
                       reinterpret_cast<XPointer>(&window));
}
