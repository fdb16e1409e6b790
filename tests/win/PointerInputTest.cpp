// The editor's controls under a real pointer: drags, wheel notches and double clicks
// change the bound parameters by the controls' amounts and tell the host about the
// gesture; closing in the middle of a drag leaves nothing captured.

#include "EditorWindowFixture.h"

// After the fixture, which brings GoogleTest before Xlib.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>

namespace {
constexpr int kGain = 0, kMono = 1, kStereo = 2;
// The knob's 48-pixel frame at (113, 333), turned by gearing 4: 192 pixels a sweep.
constexpr int kKnobX = 137, kKnobY = 357;
constexpr double kKnobSweep = 48.0 * 4.0;
// The faders' tracks start at y 106; their 68-pixel caps travel 287 - 68 pixels.
constexpr int kMonoX = 70, kStereoX = 219, kTrackTop = 106, kHalfCap = 34;
constexpr double kTravel = 287.0 - 68.0;
constexpr double kWheelStep = 0.01;
constexpr double kTolerance = 1e-6;

double FaderValueAt(int y) { return 1.0 - (y - kHalfCap - kTrackTop) / kTravel; }

const std::vector<int32_t>& BeginAutomateEnd() {
  static const std::vector<int32_t> opcodes{audioMasterBeginEdit, audioMasterAutomate,
                                            audioMasterEndEdit};
  return opcodes;
}

// The gesture's opcodes with repeated automation collapsed.
std::vector<int32_t> Collapsed(std::vector<int32_t> opcodes) {
  const auto repeatedAutomation = [](int32_t a, int32_t b) {
    return a == audioMasterAutomate && b == audioMasterAutomate;
  };
  opcodes.erase(std::unique(opcodes.begin(), opcodes.end(), repeatedAutomation), opcodes.end());
  return opcodes;
}
}  // namespace

class PointerInput : public EditorWindowTest {
 protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    if (IsSkipped()) return;
    effect_ = Create();
    ASSERT_EQ(OpenEditor(effect_, NewParent()), 1);
    Idle(effect_, 60);
    requests.clear();
  }

  AEffect* effect_ = nullptr;
};

TEST_F(PointerInput, DraggingTheKnobUpRaisesGainByTheGearedDistance) {
  const double before = Normalised(effect_, kGain);
  DragVertically(effect_, kKnobX, kKnobY, -24, 4);
  EXPECT_NEAR(Normalised(effect_, kGain), before + 24 / kKnobSweep, kTolerance);
  EXPECT_EQ(Collapsed(GestureOf(kGain)), BeginAutomateEnd());
  Idle(effect_);
  EXPECT_EQ(ScreenPixels(EditorWindow(effect_), 274, 438), SurfacePixels(effect_));
}

TEST_F(PointerInput, ShiftMakesKnobStepsTenTimesFiner) {
  const double before = Normalised(effect_, kGain);
  const KeyCode shift = XKeysymToKeycode(display_, XK_Shift_L);
  XTestFakeKeyEvent(display_, shift, True, CurrentTime);
  DragVertically(effect_, kKnobX, kKnobY, -20, 5);
  XTestFakeKeyEvent(display_, shift, False, CurrentTime);
  XSync(display_, False);
  EXPECT_NEAR(Normalised(effect_, kGain), before + 20 / kKnobSweep / 10.0, kTolerance);
}

TEST_F(PointerInput, EachFaderFollowsThePointerFromPressToRelease) {
  const struct {
    int x;
    int parameter;
  } faders[] = {{kMonoX, kMono}, {kStereoX, kStereo}};
  for (const auto& fader : faders) {
    requests.clear();
    DragVertically(effect_, fader.x, 200, 90, 15);
    EXPECT_NEAR(Normalised(effect_, fader.parameter), FaderValueAt(290), kTolerance) << fader.x;
    EXPECT_EQ(Collapsed(GestureOf(fader.parameter)), BeginAutomateEnd()) << fader.x;
  }
  EXPECT_TRUE(GestureOf(kGain).empty());
}

TEST_F(PointerInput, AWheelNotchStepsTheControlUnderThePointer) {
  const double gain = Normalised(effect_, kGain);
  const double mono = Normalised(effect_, kMono);
  Click(4, kKnobX, kKnobY);
  Idle(effect_, 30);
  EXPECT_NEAR(Normalised(effect_, kGain), gain + kWheelStep, kTolerance);
  Click(5, kMonoX, 300);
  Click(5, kMonoX, 300);
  Click(6, kMonoX, 300);  // sideways wheels are not steps
  Click(7, kMonoX, 300);
  Idle(effect_, 30);
  EXPECT_NEAR(Normalised(effect_, kMono), mono - 2 * kWheelStep, kTolerance);
  EXPECT_NEAR(Normalised(effect_, kGain), gain + kWheelStep, kTolerance);
}

TEST_F(PointerInput, ADoubleClickRestoresTheDefaultButTwoSlowClicksDoNot) {
  const double zeroDb = Normalised(effect_, kStereo);
  Click(1, kStereoX, 350);
  Idle(effect_, 600);  // longer than the double-click time
  Click(1, kStereoX, 350);
  Idle(effect_, 30);
  EXPECT_NEAR(Normalised(effect_, kStereo), FaderValueAt(350), kTolerance);
  Click(1, kStereoX, 350);
  Idle(effect_, 30);
  EXPECT_NEAR(Normalised(effect_, kStereo), zeroDb, kTolerance);
}

TEST_F(PointerInput, ClosingDuringADragEndsTheGestureAndCapturesNothing) {
  MoveTo(kKnobX, kKnobY);
  Button(1, true);
  MoveTo(kKnobX, kKnobY - 10);
  Idle(effect_, 30);
  ASSERT_GE(Graphics(effect_).CapturedControl(), 0);
  EXPECT_EQ(Dispatch(effect_, effEditClose), 1);
  EXPECT_EQ(Graphics(effect_).CapturedControl(), -1);
  EXPECT_EQ(Collapsed(GestureOf(kGain)), BeginAutomateEnd());
  // The server's grab went with the window: the host can take the pointer.
  EXPECT_EQ(XGrabPointer(display_, DefaultRootWindow(display_), False, ButtonPressMask, GrabModeAsync,
                         GrabModeAsync, None, None, CurrentTime),
            GrabSuccess);
  XUngrabPointer(display_, CurrentTime);
  Button(1, false);
}

// The plug-in is half gone when its editor goes: no gesture can be ended then.
TEST_F(PointerInput, ClosingThePlugInDuringADragIsSafe) {
  MoveTo(kKnobX, kKnobY);
  Button(1, true);
  MoveTo(kKnobX, kKnobY - 10);
  Idle(effect_, 30);
  ASSERT_GE(Graphics(effect_).CapturedControl(), 0);
  Close(effect_);
  Button(1, false);
}
