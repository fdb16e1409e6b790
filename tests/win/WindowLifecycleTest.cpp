// Opening and closing the editor window as hosts do it, what the window tells the window
// system about itself, the pixels it shows, and input hosts get wrong.

#include "EditorWindowFixture.h"

// After the fixture, which brings GoogleTest before Xlib.
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <thread>

namespace {
constexpr int kWidth = 274;
constexpr int kHeight = 438;

long XEmbedFlags(Display* display, Window window) {
  const Atom atom = XInternAtom(display, "_XEMBED_INFO", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  long flags = -1;
  if (XGetWindowProperty(display, window, atom, 0, 2, False, atom, &type, &format, &count, &after,
                         &data) == Success && data != nullptr && count == 2) {
    flags = reinterpret_cast<long*>(data)[1];
  }
  if (data != nullptr) XFree(data);
  return flags;
}
}  // namespace

using WindowLifecycle = EditorWindowTest;

TEST_F(WindowLifecycle, OpensAsAMappedChildThatDescribesItself) {
  AEffect* effect = Create();
  const Window parent = NewParent(1, 1);  // hosts resize their parent only afterwards
  ASSERT_EQ(OpenEditor(effect, parent), 1);
  const Window window = EditorWindow(effect);
  ASSERT_EQ(Children(parent), std::vector<Window>{window});

  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(display_, window, &attributes));
  EXPECT_EQ(attributes.width, kWidth);
  EXPECT_EQ(attributes.height, kHeight);
  EXPECT_EQ(attributes.depth, 24);
  EXPECT_EQ(attributes.map_state, IsViewable);
  // The editor selects no events on the host's window: presses there are the host's.
  XWindowAttributes parentAttributes;
  ASSERT_TRUE(XGetWindowAttributes(display_, parent, &parentAttributes));
  EXPECT_EQ(parentAttributes.all_event_masks, 0);

  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(display_, window, &hints, &supplied));
  EXPECT_EQ(hints.min_width, kWidth);
  EXPECT_EQ(hints.max_width, kWidth);
  EXPECT_EQ(hints.min_height, kHeight);
  EXPECT_EQ(hints.max_height, kHeight);
  XClassHint windowClass{};
  ASSERT_TRUE(XGetClassHint(display_, window, &windowClass));
  EXPECT_STREQ(windowClass.res_class, "PluginWndClass");
  XFree(windowClass.res_name);
  XFree(windowClass.res_class);
  char* name = nullptr;
  ASSERT_TRUE(XFetchName(display_, window, &name));
  EXPECT_STREQ(name, "Plugin");
  XFree(name);
  EXPECT_EQ(XEmbedFlags(display_, window), 1);
}

TEST_F(WindowLifecycle, ClosesTwiceOpensAgainAndTwoInstancesLiveAtOnce) {
  AEffect* first = Create();
  AEffect* second = Create();
  const Window parent = NewParent();
  const Window otherParent = NewParent();
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(OpenEditor(first, parent), 1);
    ASSERT_EQ(OpenEditor(second, otherParent), 1);
    Idle(first, 20);
    Idle(second, 20);
    EXPECT_EQ(Children(parent).size(), 1u);
    EXPECT_EQ(Children(otherParent).size(), 1u);
    EXPECT_EQ(Dispatch(first, effEditClose), 1);
    EXPECT_EQ(Dispatch(first, effEditClose), 1);
    EXPECT_TRUE(Children(parent).empty());
    EXPECT_EQ(Graphics(first).NativeWindow(), nullptr);
    Idle(second, 20);  // the other window lives on over the shared connection
    EXPECT_EQ(ScreenPixels(EditorWindow(second), kWidth, kHeight), SurfacePixels(second));
    EXPECT_EQ(Dispatch(second, effEditClose), 1);
  }
}

TEST_F(WindowLifecycle, ASecondOpenMovesTheWindowToTheNewParent) {
  AEffect* effect = Create();
  const Window parent = NewParent();
  const Window newParent = NewParent();
  ASSERT_EQ(OpenEditor(effect, parent), 1);
  XMoveWindow(display_, EditorWindow(effect), 5, 7);
  XSync(display_, False);
  ASSERT_EQ(OpenEditor(effect, newParent), 1);
  EXPECT_TRUE(Children(parent).empty());
  ASSERT_EQ(Children(newParent), std::vector<Window>{EditorWindow(effect)});
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(display_, EditorWindow(effect), &attributes));
  EXPECT_EQ(attributes.x, 5);
  EXPECT_EQ(attributes.y, 7);
}

// The window shows the surface and nothing else, after the first exposure and after
// every redraw tick.
TEST_F(WindowLifecycle, ShowsTheSurfacePixelForPixel) {
  AEffect* effect = Create();
  const Window parent = NewParent();
  ASSERT_EQ(OpenEditor(effect, parent), 1);
  Idle(effect);
  const std::vector<uint32_t> opened = ScreenPixels(EditorWindow(effect), kWidth, kHeight);
  EXPECT_EQ(opened, SurfacePixels(effect));
  effect->setParameter(effect, 1, 0.2f);
  effect->setParameter(effect, 0, 0.9f);
  Idle(effect);
  const std::vector<uint32_t> changed = ScreenPixels(EditorWindow(effect), kWidth, kHeight);
  EXPECT_NE(changed, opened);
  EXPECT_EQ(changed, SurfacePixels(effect));
  // Uncovered again after the host hid it.
  XUnmapWindow(display_, parent);
  XMapWindow(display_, parent);
  XSync(display_, False);
  Idle(effect);
  EXPECT_EQ(ScreenPixels(EditorWindow(effect), kWidth, kHeight), changed);
}

TEST_F(WindowLifecycle, BadParentsAndIdleWithoutAWindowAreHarmless) {
  AEffect* effect = Create();
  EXPECT_EQ(Dispatch(effect, effEditIdle), 0);
  EXPECT_EQ(OpenEditor(effect, 0), 0);
  EXPECT_EQ(OpenEditor(effect, 0x3FFFFFF), 0);  // no such window
  EXPECT_EQ(Graphics(effect).NativeWindow(), nullptr);
  EXPECT_EQ(Dispatch(effect, effEditClose), 1);
  Idle(effect, 20);
  ASSERT_EQ(OpenEditor(effect, NewParent()), 1);
  EXPECT_EQ(Dispatch(effect, effEditClose), 1);
}

TEST_F(WindowLifecycle, NoDisplayMeansNoWindow) {
  AEffect* effect = Create();
  const std::string display = std::getenv("DISPLAY");
  unsetenv("DISPLAY");
  EXPECT_EQ(OpenEditor(effect, NewParent()), 0);
  setenv("DISPLAY", display.c_str(), 1);
  EXPECT_EQ(Graphics(effect).NativeWindow(), nullptr);
}

// A host that destroys its window first leaves an editor that counts as closed.
TEST_F(WindowLifecycle, AParentDestroyedByTheHostClosesTheEditor) {
  AEffect* effect = Create();
  const Window parent = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, kWidth,
                                            kHeight, 0, 0, 0);
  XMapWindow(display_, parent);
  XSync(display_, False);
  ASSERT_EQ(OpenEditor(effect, parent), 1);
  Idle(effect, 40);
  XDestroyWindow(display_, parent);
  XSync(display_, False);
  Idle(effect, 60);
  EXPECT_EQ(Graphics(effect).NativeWindow(), nullptr);
  EXPECT_EQ(Dispatch(effect, effEditClose), 1);
  ASSERT_EQ(OpenEditor(effect, NewParent()), 1);
}

TEST_F(WindowLifecycle, ClosingThePlugInClosesItsWindowAndIdleMayComeFromAnyThread) {
  AEffect* effect = Create();
  const Window parent = NewParent();
  ASSERT_EQ(OpenEditor(effect, parent), 1);
  std::thread other([&] { Idle(effect, 60); });
  Idle(effect, 60);
  other.join();
  Close(effect);
  EXPECT_TRUE(Children(parent).empty());
}

// Losing the display ends neither the host nor the plug-in.
TEST_F(WindowLifecycle, ADisplayThatGoesAwayClosesTheEditor) {
  auto server = std::make_unique<XvfbDisplay>();
  ASSERT_TRUE(server->Running());
  Display* own = XOpenDisplay(server->Name().c_str());
  ASSERT_NE(own, nullptr);
  const Window parent = XCreateSimpleWindow(own, DefaultRootWindow(own), 0, 0, kWidth, kHeight, 0, 0, 0);
  XMapWindow(own, parent);
  XSync(own, False);
  const std::string display = std::getenv("DISPLAY");
  setenv("DISPLAY", server->Name().c_str(), 1);
  AEffect* effect = Create();
  const intptr_t opened = OpenEditor(effect, parent);
  setenv("DISPLAY", display.c_str(), 1);
  ASSERT_EQ(opened, 1);
  Idle(effect, 40);
  server.reset();
  Idle(effect, 40);
  EXPECT_EQ(Graphics(effect).NativeWindow(), nullptr);
  EXPECT_EQ(Dispatch(effect, effEditClose), 1);
  // The host's connection to the lost server is its own business.
  XSetIOErrorExitHandler(own, [](Display*, void*) {}, nullptr);
  XSetIOErrorHandler([](Display*) { return 0; });
  XCloseDisplay(own);
  XSetIOErrorHandler(nullptr);
}
