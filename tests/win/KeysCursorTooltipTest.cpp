// Keys from the window and from the host, the pointer hidden during a drag and put back,
// and tooltips once the pointer rests on a control.

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "EditorWindowFixture.h"
#include "gui/Control.h"

// After the fixture, which brings GoogleTest before Xlib.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {
constexpr int kVirtualUp = 38;

// A control over the whole editor that records the keys it gets and draws nothing.
class KeyRecorder : public IControl {
 public:
  explicit KeyRecorder(std::vector<IKeyCode>* keys) : IControl(nullptr, {0, 0, 274, 438}), keys_(keys) {}
  bool HandleKey(int, int, IKeyCode key) override {
    keys_->push_back(key);
    return true;
  }
  bool Render(IGraphics&) override { return true; }

 private:
  std::vector<IKeyCode>* keys_;
};

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
}  // namespace

class KeysCursorTooltip : public EditorWindowTest {
 protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    if (IsSkipped()) return;
    effect_ = Create();
  }

  void Open() {
    ASSERT_EQ(OpenEditor(effect_, NewParent()), 1);
    Idle(effect_, 60);
  }

  void TypeKey(KeySym keysym) {
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
  }

  intptr_t HostKey(char character, intptr_t key = 0) {
    return Dispatch(effect_, effEditKeyDown, character, key);
  }

  AEffect* effect_ = nullptr;
};

// The click gives the window the keyboard focus; a key that also comes from the host
// right after counts once.
TEST_F(KeysCursorTooltip, KeysComeOnceWhicheverWayTheyArrive) {
  std::vector<IKeyCode> keys;
  Graphics(effect_).AddControl(new KeyRecorder(&keys));
  Open();
  Click(1, 100, 100);
  TypeKey(XK_a);
  Idle(effect_, 30);
  EXPECT_EQ(HostKey('a'), 1);  // the same key again: dropped, but used
  ASSERT_EQ(keys, std::vector<IKeyCode>{KEY_A});
  Pause(200);
  EXPECT_EQ(HostKey(0, VKEY_UP), 1);
  TypeKey(XK_Up);
  Idle(effect_, 30);
  EXPECT_EQ(keys, (std::vector<IKeyCode>{KEY_A, KEY_UP}));
  Pause(200);
  EXPECT_EQ(HostKey('Q'), 1);
  EXPECT_EQ(HostKey('%'), 0);  // not a key of the editor's
  TypeKey(XK_Return);
  Idle(effect_, 30);
  EXPECT_EQ(keys, (std::vector<IKeyCode>{KEY_A, KEY_UP, KEY_Q}));
}

TEST_F(KeysCursorTooltip, HostKeysWithoutAWindowOrAControlAreLeftToTheHost) {
  EXPECT_EQ(HostKey('a'), 0);
  Open();
  MoveTo(10, 10);  // over the background only
  Idle(effect_, 30);
  EXPECT_EQ(HostKey(0, kVirtualUp), 0);
}

TEST_F(KeysCursorTooltip, TheHiddenPointerReturnsWhereTheDragBegan) {
  Open();
  MoveTo(137, 357);
  Graphics(effect_).HideCursorForDrag();
  MoveTo(137, 300);
  Graphics(effect_).RestoreCursorAfterDrag();
  // The editor's connection is not the host's: its warp may take a moment to arrive.
  int x = 0, y = 0;
  for (int tries = 0; tries < 50 && !(x == 137 && y == 357); ++tries) {
    Pause(5);
    Window root = 0, child = 0;
    int windowX = 0, windowY = 0;
    unsigned int mask = 0;
    ASSERT_TRUE(XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y,
                              &windowX, &windowY, &mask));
  }
  EXPECT_EQ(x, 137);
  EXPECT_EQ(y, 357);
}

TEST_F(KeysCursorTooltip, ATooltipShowsOnceThePointerRestsOnAControl) {
  Graphics(effect_).SetTooltipsWanted(true);
  Graphics(effect_).Control(1)->SetTooltip("Gain");
  Open();
  const std::vector<Window> before = Children(DefaultRootWindow(display_));
  MoveTo(10, 10);  // the pointer may be on the knob already, which would not move it
  MoveTo(137, 357);
  Idle(effect_, 100);
  EXPECT_EQ(Children(DefaultRootWindow(display_)), before);
  Idle(effect_, 450);
  const std::vector<Window> shown = Children(DefaultRootWindow(display_));
  ASSERT_EQ(shown.size(), before.size() + 1);
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(display_, shown.back(), &attributes));
  EXPECT_TRUE(attributes.override_redirect);
  EXPECT_EQ(attributes.map_state, IsViewable);
  // Its pale ground with dark text.
  const std::vector<uint32_t> pixels = ScreenPixels(shown.back(), attributes.width, attributes.height);
  EXPECT_EQ(pixels.front(), 0xFFFFE1u);
  EXPECT_NE(std::count(pixels.begin(), pixels.end(), 0xFFFFE1u), static_cast<long>(pixels.size()));
  Click(1, 137, 357);
  Idle(effect_, 30);
  EXPECT_EQ(Children(DefaultRootWindow(display_)), before);
}
