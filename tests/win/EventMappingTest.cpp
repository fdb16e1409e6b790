// X events as the editor's message handling sees them, without a server: buttons, the
// synthesised double click, wheel notches, modifiers and keys.

#include <gtest/gtest.h>

#include "gui/KeyCode.h"
#include "gui/win/KeyMapping.h"
#include "gui/win/XEventMapper.h"

// After GoogleTest, whose names Xlib's macros (None, Bool) would replace.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {
XEvent ButtonEvent(int type, unsigned int button, int x, int y, unsigned long time,
                   unsigned int state = 0) {
  XEvent event{};
  event.xbutton.type = type;
  event.xbutton.button = button;
  event.xbutton.x = x;
  event.xbutton.y = y;
  event.xbutton.time = time;
  event.xbutton.state = state;
  return event;
}

WindowEvent::Kind PressKind(XEventMapper& mapper, unsigned int button, int x, int y,
                            unsigned long time) {
  XEvent event = ButtonEvent(ButtonPress, button, x, y, time);
  return mapper.Map(event).kind;
}
}  // namespace

TEST(EventMapping, ASecondLeftPressNearbyAndSoonIsADoubleClick) {
  XEventMapper mapper;
  EXPECT_EQ(PressKind(mapper, 1, 10, 10, 1000), WindowEvent::kPress);
  EXPECT_EQ(PressKind(mapper, 1, 12, 8, 1500), WindowEvent::kDoubleClick);
  // The third press starts anew; too late, too far or another button is no double click.
  EXPECT_EQ(PressKind(mapper, 1, 12, 8, 1600), WindowEvent::kPress);
  EXPECT_EQ(PressKind(mapper, 1, 12, 8, 2101), WindowEvent::kPress);
  EXPECT_EQ(PressKind(mapper, 1, 15, 8, 2200), WindowEvent::kPress);
  EXPECT_EQ(PressKind(mapper, 3, 15, 8, 2300), WindowEvent::kPress);
  EXPECT_EQ(PressKind(mapper, 3, 15, 8, 2400), WindowEvent::kPress);
  EXPECT_EQ(PressKind(mapper, 1, 15, 8, 2500), WindowEvent::kPress);
  EXPECT_EQ(PressKind(mapper, 2, 15, 8, 2600), WindowEvent::kPress);
  EXPECT_EQ(PressKind(mapper, 1, 15, 8, 2700), WindowEvent::kPress);
  // Server time wraps around.
  EXPECT_EQ(PressKind(mapper, 1, 15, 8, 0xFFFFFF00), WindowEvent::kPress);
  EXPECT_EQ(PressKind(mapper, 1, 15, 8, 0x10), WindowEvent::kDoubleClick);
}

TEST(EventMapping, ButtonsCountAsHeldFromTheirPressToTheirRelease) {
  XEventMapper mapper;
  XEvent press = ButtonEvent(ButtonPress, 1, 3, 4, 0, ShiftMask);
  const WindowEvent pressed = mapper.Map(press);
  EXPECT_TRUE(pressed.modifiers.left);
  EXPECT_TRUE(pressed.modifiers.shift);
  EXPECT_FALSE(pressed.modifiers.right);
  XEvent release = ButtonEvent(ButtonRelease, 3, 3, 4, 0, Button1Mask | Button3Mask | ControlMask | Mod1Mask);
  const WindowEvent released = mapper.Map(release);
  EXPECT_EQ(released.kind, WindowEvent::kRelease);
  EXPECT_EQ(released.button, 3);
  EXPECT_TRUE(released.modifiers.left);
  EXPECT_FALSE(released.modifiers.right);
  EXPECT_TRUE(released.modifiers.control);
  EXPECT_TRUE(released.modifiers.alt);
}

TEST(EventMapping, WheelButtonsAreNotchesAndSidewaysOnesNothing) {
  XEventMapper mapper;
  const struct {
    unsigned int button;
    WindowEvent::Kind kind;
    int steps;
  } cases[] = {{4, WindowEvent::kWheel, 1}, {5, WindowEvent::kWheel, -1},
               {6, WindowEvent::kNone, 0}, {7, WindowEvent::kNone, 0}};
  for (const auto& c : cases) {
    XEvent event = ButtonEvent(ButtonPress, c.button, 1, 1, 0);
    const WindowEvent mapped = mapper.Map(event);
    EXPECT_EQ(mapped.kind, c.kind) << c.button;
    EXPECT_EQ(mapped.wheelSteps, c.steps) << c.button;
    XEvent release = ButtonEvent(ButtonRelease, c.button, 1, 1, 0);
    EXPECT_EQ(mapper.Map(release).kind, WindowEvent::kNone) << c.button;
  }
}

TEST(EventMapping, MotionIsADragOnlyWithTheLeftOrRightButtonHeld) {
  XEventMapper mapper;
  for (unsigned int state : {0u, unsigned(Button1Mask), unsigned(Button2Mask), unsigned(Button3Mask)}) {
    XEvent event{};
    event.xmotion.type = MotionNotify;
    event.xmotion.state = state;
    EXPECT_EQ(mapper.Map(event).buttonHeld, state == Button1Mask || state == Button3Mask) << state;
  }
}

TEST(KeyMapping, LettersOfEitherCaseDigitsSpaceAndArrows) {
  EXPECT_EQ(KeyFromVirtualKey('a'), KEY_A);
  EXPECT_EQ(KeyFromVirtualKey('A'), KEY_A);
  EXPECT_EQ(KeyFromVirtualKey('z'), KEY_Z);
  EXPECT_EQ(KeyFromVirtualKey('7'), KEY_DIGIT7);
  EXPECT_EQ(KeyFromVirtualKey(32), KEY_SPACE);
  EXPECT_EQ(KeyFromVirtualKey(37), KEY_LEFT);
  EXPECT_EQ(KeyFromVirtualKey(40), KEY_DOWN);
  EXPECT_EQ(KeyFromVirtualKey('['), -1);
  EXPECT_EQ(KeyFromKeysym(XK_q), KEY_Q);
  EXPECT_EQ(KeyFromKeysym(XK_Q), KEY_Q);
  EXPECT_EQ(KeyFromKeysym(XK_0), KEY_DIGIT0);
  EXPECT_EQ(KeyFromKeysym(XK_space), KEY_SPACE);
  EXPECT_EQ(KeyFromKeysym(XK_Up), KEY_UP);
  EXPECT_EQ(KeyFromKeysym(XK_KP_Right), KEY_RIGHT);
  // The characters with the arrows' virtual-key codes are no arrows.
  EXPECT_EQ(KeyFromKeysym(XK_percent), -1);
  EXPECT_EQ(KeyFromKeysym(XK_parenleft), -1);
  EXPECT_EQ(KeyFromKeysym(XK_Return), -1);
  EXPECT_EQ(KeyFromKeysym(XK_adiaeresis), -1);
}
