#include "EditorWindowFixture.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

void EditorWindowTest::SetUpTestSuite() {
  if (XvfbDisplay::Installed()) server_ = std::make_unique<XvfbDisplay>();
  if (server_ != nullptr && server_->Running()) setenv("DISPLAY", server_->Name().c_str(), 1);
}

void EditorWindowTest::TearDownTestSuite() { server_.reset(); }

void EditorWindowTest::SetUp() {
  VstTestHost::SetUp();
  if (server_ == nullptr || !server_->Running()) GTEST_SKIP() << "Xvfb cannot start here";
  display_ = XOpenDisplay(server_->Name().c_str());
  ASSERT_NE(display_, nullptr);
  int event = 0, error = 0, major = 0, minor = 0;
  ASSERT_TRUE(XTestQueryExtension(display_, &event, &error, &major, &minor));
}

// Plug-ins go first, with their editors, then the host's windows.
void EditorWindowTest::TearDown() {
  VstTestHost::TearDown();
  if (display_ == nullptr) return;
  for (Window parent : parents_) XDestroyWindow(display_, parent);
  XCloseDisplay(display_);
}

Window EditorWindowTest::NewParent(int width, int height) {
  const Window parent = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0,
                                            static_cast<unsigned>(width),
                                            static_cast<unsigned>(height), 0, 0, 0);
  XMapWindow(display_, parent);
  XSync(display_, False);
  parents_.push_back(parent);
  return parent;
}

intptr_t EditorWindowTest::OpenEditor(AEffect* effect, Window parent) {
  return Dispatch(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(parent));
}

void EditorWindowTest::Idle(AEffect* effect, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    Dispatch(effect, effEditIdle);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void EditorWindowTest::MoveTo(int x, int y) {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
  XSync(display_, False);
}

void EditorWindowTest::Button(unsigned int button, bool down) {
  XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
  XSync(display_, False);
}

void EditorWindowTest::Click(unsigned int button, int x, int y) {
  MoveTo(x, y);
  Button(button, true);
  Button(button, false);
}

void EditorWindowTest::DragVertically(AEffect* effect, int x, int y, int dy, int step) {
  MoveTo(x, y);
  Button(1, true);
  Idle(effect, 20);
  for (int moved = 0; moved != dy;) {
    moved += dy > 0 ? std::min(step, dy - moved) : std::max(-step, dy - moved);
    MoveTo(x, y + moved);
    Idle(effect, 10);
  }
  Button(1, false);
  Idle(effect, 20);
}

IGraphics& EditorWindowTest::Graphics(AEffect* effect) {
  return dynamic_cast<IGraphics&>(*Plugin(effect).Editor());
}

Window EditorWindowTest::EditorWindow(AEffect* effect) {
  return reinterpret_cast<Window>(Graphics(effect).NativeWindow());
}

double EditorWindowTest::Normalised(AEffect* effect, int index) {
  return Plugin(effect).Parameter(index)->NormalisedValue();
}

std::vector<Window> EditorWindowTest::Children(Window window) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  std::vector<Window> found;
  if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return found;
  found.assign(children, children + count);
  if (children != nullptr) XFree(children);
  return found;
}

std::vector<uint32_t> EditorWindowTest::ScreenPixels(Window window, int width, int height) {
  std::vector<uint32_t> pixels;
  XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
  }
  XDestroyImage(image);
  return pixels;
}

std::vector<uint32_t> EditorWindowTest::SurfacePixels(AEffect* effect) {
  const PIX_SysBitmap& surface = *Graphics(effect).Surface();
  std::vector<uint32_t> pixels;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) pixels.push_back(surface.Row(y)[x] & 0xFFFFFF);
  }
  return pixels;
}

std::vector<int32_t> EditorWindowTest::GestureOf(int index) const {
  std::vector<int32_t> opcodes;
  for (const HostRequest& r : requests) {
    const bool gesture = r.opcode == audioMasterBeginEdit || r.opcode == audioMasterEndEdit ||
                         r.opcode == audioMasterAutomate;
    if (gesture && r.index == index) opcodes.push_back(r.opcode);
  }
  return opcodes;
}
