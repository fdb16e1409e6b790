#include "tools/host/EditorWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdlib>

#include "raster/MemBitmap.h"

struct EditorWindow::Native {
  Display* display = nullptr;
  Window window = 0;
  Atom protocols = 0;
  Atom deleteWindow = 0;
  bool closed = false;
};

namespace {

// Keeps window managers from resizing an editor whose size the plug-in chose.
void FixSize(Display* display, Window window, int width, int height) {
  XSizeHints* hints = XAllocSizeHints();
  if (!hints) return;
  hints->flags = PMinSize | PMaxSize;
  hints->min_width = hints->max_width = width;
  hints->min_height = hints->max_height = height;
  XSetWMNormalHints(display, window, hints);
  XFree(hints);
}

// One colour channel of a true-colour pixel, scaled to 8 bits.
uint32_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = __builtin_ctzl(mask);
  const unsigned long largest = mask >> shift;
  return static_cast<uint32_t>(((pixel & mask) >> shift) * 255 / largest);
}

void CopyPixels(XImage* image, PIX_MemBitmap* pixels) {
  for (int y = 0; y < image->height; ++y) {
    PIX_PixelValue* row = pixels->Row(y);
    for (int x = 0; x < image->width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      row[x] = 0xFF000000u | Channel(pixel, image->red_mask) << 16 | Channel(pixel, image->green_mask) << 8 |
               Channel(pixel, image->blue_mask);
    }
  }
}

}  // namespace

std::unique_ptr<EditorWindow> EditorWindow::Connect(std::string* error) {
  const char* name = std::getenv("DISPLAY");
  if (!name || !name[0]) {
    *error = "no X display: DISPLAY is not set";
    return nullptr;
  }
  auto native = std::make_unique<Native>();
  native->display = XOpenDisplay(nullptr);
  if (!native->display) {
    *error = std::string("no X display: cannot connect to '") + name + "'";
    return nullptr;
  }
  native->protocols = XInternAtom(native->display, "WM_PROTOCOLS", False);
  native->deleteWindow = XInternAtom(native->display, "WM_DELETE_WINDOW", False);
  return std::unique_ptr<EditorWindow>(new EditorWindow(std::move(native)));
}

EditorWindow::EditorWindow(std::unique_ptr<Native> native) : native_(std::move(native)) {}

EditorWindow::~EditorWindow() {
  if (native_->window && !native_->closed) XDestroyWindow(native_->display, native_->window);
  XCloseDisplay(native_->display);
}

void EditorWindow::Create(const std::string& title, int width, int height) {
  Display* display = native_->display;
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(display, screen);
  attributes.event_mask = StructureNotifyMask;
  native_->window =
      XCreateWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                    static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                    CWBackPixel | CWEventMask, &attributes);
  XStoreName(display, native_->window, title.c_str());
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  XChangeProperty(display, native_->window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
  XSetWMProtocols(display, native_->window, &native_->deleteWindow, 1);
  FixSize(display, native_->window, width, height);
  XSync(display, False);
}

void EditorWindow::Resize(int width, int height) {
  FixSize(native_->display, native_->window, width, height);
  XResizeWindow(native_->display, native_->window, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(native_->display, False);
}

void EditorWindow::Show() {
  XMapRaised(native_->display, native_->window);
  XSync(native_->display, False);
}

unsigned long EditorWindow::WindowId() const { return native_->window; }

void* EditorWindow::NativeDisplay() const { return native_->display; }

void EditorWindow::HandleEvents() {
  Display* display = native_->display;
  XEvent event;
  while (XCheckTypedWindowEvent(display, native_->window, ClientMessage, &event)) {
    if (event.xclient.message_type == native_->protocols &&
        static_cast<Atom>(event.xclient.data.l[0]) == native_->deleteWindow) {
      native_->closed = true;
    }
  }
  while (XCheckWindowEvent(display, native_->window, StructureNotifyMask, &event)) {
    if (event.type == DestroyNotify && event.xdestroywindow.window == native_->window) native_->closed = true;
  }
}

bool EditorWindow::Closed() const { return native_->closed; }

void EditorWindow::Sync() { XSync(native_->display, False); }

bool EditorWindow::CanMovePointer(std::string* error) const {
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (XTestQueryExtension(native_->display, &eventBase, &errorBase, &major, &minor)) return true;
  *error = "the X server has no XTest extension to move the pointer with";
  return false;
}

void EditorWindow::MovePointer(int x, int y) {
  Display* display = native_->display;
  const int screen = DefaultScreen(display);
  int rootX = 0;
  int rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, native_->window, RootWindow(display, screen), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, screen, rootX, rootY, CurrentTime);
  XSync(display, False);
}

void EditorWindow::SetButton(int button, bool pressed) {
  XTestFakeButtonEvent(native_->display, static_cast<unsigned>(button), pressed ? True : False, CurrentTime);
  XSync(native_->display, False);
}

bool EditorWindow::Capture(PIX_MemBitmap* pixels, std::string* error) {
  Display* display = native_->display;
  XWindowAttributes window{};
  if (!XGetWindowAttributes(display, native_->window, &window) || window.map_state != IsViewable) {
    *error = "the editor window is not shown";
    return false;
  }
  if (window.visual->c_class != TrueColor && window.visual->c_class != DirectColor) {
    *error = "the display's colours are not true colour";
    return false;
  }
  int rootX = 0;
  int rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, native_->window, window.root, 0, 0, &rootX, &rootY, &child);
  const int left = std::max(0, -rootX);
  const int top = std::max(0, -rootY);
  const int right = std::min(window.width, WidthOfScreen(window.screen) - rootX);
  const int bottom = std::min(window.height, HeightOfScreen(window.screen) - rootY);
  XImage* image = right > left && bottom > top
                      ? XGetImage(display, native_->window, left, top, static_cast<unsigned>(right - left),
                                  static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap)
                      : nullptr;
  if (!image) {
    *error = "the X server gave no picture of the editor window";
    return false;
  }
  pixels->SetSize(image->width, image->height);
  const bool sized = pixels->PixelData() != nullptr;
  if (sized) CopyPixels(image, pixels);
  XDestroyImage(image);
  if (!sized) *error = "out of memory for the picture";
  return sized;
}
