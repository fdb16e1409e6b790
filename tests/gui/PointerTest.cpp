#include <algorithm>
#include <string>
#include <vector>

#include "gui/EditorFixture.h"

namespace guitest {
namespace {

std::vector<std::string> Requests(TestEffect& effect) {
  std::vector<std::string> out = effect.requests;
  effect.requests.clear();
  return out;
}

using Pointer = EditorFixture;
using Strings = std::vector<std::string>;

TEST_F(Pointer, PressAndReleaseFrameTheValueChangesWithAGesture) {
  graphics->MousePressed(CentreX(*mono), 140, {});
  EXPECT_EQ(graphics->CapturedControl(), 2);
  EXPECT_EQ(mono->Value(), 1.0);
  graphics->MouseReleased(CentreX(*mono), 140, {});
  EXPECT_EQ(Requests(effect), (Strings{"begin 1", "value 1 1.000000", "end 1"}));
  EXPECT_EQ(graphics->CapturedControl(), -1);
}

TEST_F(Pointer, AReleaseOutsideEveryControlStillReachesThePressedControl) {
  graphics->MousePressed(CentreX(*stereo), 300, {});
  graphics->MouseDragged(-40, 390, {});
  graphics->MouseReleased(-40, 900, {});
  const Strings requests = Requests(effect);
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests.front(), "begin 2");
  EXPECT_EQ(requests[2], "value 2 0.000000");
  EXPECT_EQ(requests.back(), "end 2");
}

TEST_F(Pointer, ADragAtTheLastPositionReachesNoControl) {
  const int x = CentreX(*knob), y = CentreY(*knob);
  graphics->MousePressed(x, y, {});
  graphics->MouseDragged(x, y, {});
  EXPECT_EQ(knob->Value(), 0.5);
  EXPECT_EQ(Requests(effect), (Strings{"begin 0"}));
}

TEST_F(Pointer, KnobDragsTakeGearingTimesTheHeightForAFullSweep) {
  struct Case {
    IMouseModifiers modifiers;
    int dy;
    double change;
  };
  const Case cases[] = {{{}, -1, 1.0 / 192}, {{false, false, true}, -1, 1.0 / 1920},
                        {{false, false, false, true}, 2, -2.0 / 1920}, {{}, 96, -0.5}};
  for (const Case& c : cases) {
    graphics->ForwardParamToControls(0, 0.5, true);
    const int x = CentreX(*knob), y = CentreY(*knob);
    graphics->MousePressed(x, y, c.modifiers);
    graphics->MouseDragged(x + 3, y + c.dy, c.modifiers);
    graphics->MouseReleased(x, y, c.modifiers);
    EXPECT_NEAR(knob->Value(), 0.5 + c.change, 1e-12) << c.dy;
  }
}

TEST_F(Pointer, WheelStepsAndDoubleClicksSendTheValueWithoutAGesture) {
  knob->HandleWheel(0, 0, {}, 1);
  EXPECT_DOUBLE_EQ(knob->Value(), 0.51);
  mono->HandleWheel(0, 0, {false, false, false, true}, -3);
  EXPECT_DOUBLE_EQ(mono->Value(), 0.497);
  graphics->ForwardParamToControls(0, 0.9, true);
  EXPECT_FALSE(graphics->MouseDoubleClicked(CentreX(*knob), CentreY(*knob), {}));
  // The first value the plug-in gave is the default a double click restores.
  EXPECT_EQ(knob->Value(), 0.5);
  EXPECT_EQ(Requests(effect), (Strings{"value 0 0.510000", "value 1 0.497000", "value 0 0.500000"}));
  EXPECT_EQ(graphics->CapturedControl(), -1);
}

TEST_F(Pointer, EveryGestureBegunEndsExactlyOnce) {
  const int x = CentreX(*knob), y = CentreY(*knob);
  // A double click arrives as press, release, double click, release.
  graphics->MousePressed(x, y, {});
  graphics->MouseReleased(x, y, {});
  graphics->MouseDoubleClicked(x, y, {});
  graphics->MouseReleased(x, y, {});
  Strings requests = Requests(effect);
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "begin 0"), 1);
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "end 0"), 1);
  // A press whose release never came is ended by the next press, and one cut short by
  // the editor going away is ended then.
  graphics->MousePressed(x, y, {});
  graphics->MousePressed(CentreX(*mono), 300, {});
  graphics->SetEditorSize(100, 100);
  requests = Requests(effect);
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "end 0"), 1);
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "end 1"), 1);
}

TEST_F(Pointer, HitTestingSkipsHiddenAndGreyedControlsFromTheTopDown) {
  const int x = CentreX(*knob), y = CentreY(*knob);
  EXPECT_EQ(graphics->FindControlAt(x, y, false), 1);
  knob->SetGreyed(true);
  EXPECT_EQ(graphics->FindControlAt(x, y, false), 0);
  EXPECT_EQ(knob->Blend().weight, 0.25f);
  knob->SetHoverWhenGreyed(true);
  EXPECT_EQ(graphics->FindControlAt(x, y, true), 1);
  EXPECT_EQ(graphics->FindControlAt(x, y, false), 0);
  knob->SetGreyed(false);
  knob->SetHidden(true);
  EXPECT_EQ(graphics->FindControlAt(x, y, false), 0);
  // The background captures a press; outside the editor nothing does.
  graphics->MousePressed(x, y, {});
  EXPECT_EQ(graphics->CapturedControl(), 0);
  graphics->MousePressed(500, 500, {});
  EXPECT_EQ(graphics->CapturedControl(), -1);
  EXPECT_TRUE(Requests(effect).empty());
}

TEST_F(Pointer, ARightClickPromptsOnlyWhenPromptingIsOnAndIsStillAGesture) {
  graphics->MousePressed(CentreX(*mono), 300, {false, true});
  graphics->MouseReleased(CentreX(*mono), 300, {false, true});
  EXPECT_EQ(mono->Value(), 0.5);
  EXPECT_EQ(Requests(effect), (Strings{"begin 1", "end 1"}));
  EXPECT_TRUE(graphics->entryTexts.empty());

  // Without display texts the entry is a small field over the control's middle (70, 249).
  mono->SetPromptingDisabled(false);
  graphics->MousePressed(CentreX(*mono), 300, {false, true});
  ASSERT_EQ(graphics->entryTexts, (Strings{"0.00"}));
  EXPECT_TRUE(Same(graphics->entryRects[0], {50, 241, 90, 257}));
}

// A control that records the events it receives.
class ProbeControl : public IControl {
 public:
  ProbeControl(IEffectBase* plugin, const IRectangle& rect, std::vector<std::string>* log,
               int paramIdx = -1)
      : IControl(plugin, rect, paramIdx), log_(log) {}
  bool Render(IGraphics&) override { return true; }
  void HandleMousePress(int x, int, const IMouseModifiers&) override { Log("press", x); }
  void HandleMouseHover(int x, int, const IMouseModifiers&) override { Log("hover", x); }
  void HandleMouseLeave() override { Log("leave", Rect().left); }
  bool HandleKey(int x, int, IKeyCode key) override {
    Log("key", key);
    return x >= 0;
  }

 private:
  void Log(const char* what, int n) { log_->push_back(what + std::to_string(n)); }
  std::vector<std::string>* log_;
};

TEST(PointerEvents, HoverKeysAndDoubleClicksAsPresses) {
  TestEffect plugin;
  TestGraphics graphics(&plugin, 100, 20);
  Strings log;
  graphics.AddControl(new ProbeControl(&plugin, {0, 0, 100, 20}, &log));
  graphics.AddControl(new ProbeControl(&plugin, {10, 0, 20, 10}, &log));
  auto* third = new ProbeControl(&plugin, {30, 0, 40, 10}, &log, 0);
  graphics.AddControl(third);

  EXPECT_FALSE(graphics.MouseHovered(12, 5, {}));
  graphics.SetHandlesMouseOver(true);
  EXPECT_TRUE(graphics.MouseHovered(12, 5, {}));
  EXPECT_TRUE(graphics.MouseHovered(35, 5, {}));
  EXPECT_TRUE(graphics.MouseHovered(200, 5, {}));
  graphics.MouseLeftWindow();
  EXPECT_EQ(log, (Strings{"hover12", "hover35", "leave10", "leave0", "leave10", "leave30"}));
  log.clear();

  EXPECT_FALSE(graphics.KeyPressed(50, 15, KEY_A));
  EXPECT_TRUE(graphics.KeyPressed(15, 5, KEY_Z));
  EXPECT_EQ(log, (Strings{"key40"}));
  log.clear();

  third->SetDoubleClickAsPress(true);
  EXPECT_TRUE(graphics.MouseDoubleClicked(35, 5, {}));
  EXPECT_EQ(graphics.CapturedControl(), 2);
  EXPECT_EQ(log, (Strings{"press35"}));
  // A double click that counts as a press begins no gesture.
  EXPECT_TRUE(plugin.requests.empty());
}

}  // namespace
}  // namespace guitest
