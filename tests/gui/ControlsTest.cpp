#include "gui/BitmapControl.h"
#include "gui/EditorFixture.h"

namespace guitest {
namespace {

using Controls = EditorFixture;

TEST_F(Controls, FaderHandleTravelsTheTrackLengthLessTheHandle) {
  EXPECT_EQ(mono->HandleSize(), 68);
  EXPECT_EQ(mono->Rect().bottom - mono->Rect().top, 287);
  EXPECT_EQ(mono->Rect().right - mono->Rect().left, 44);
  EXPECT_EQ(mono->HandleRect(1.0).top, 106);
  EXPECT_EQ(mono->HandleRect(0.0).top, 325);
  EXPECT_EQ(mono->HandleRect(0.0).bottom, 393);

  struct Case {
    int y;
    double value;
  };
  for (const Case c : {Case{140, 1.0}, Case{390, 0.0}, Case{249, 1.0 - 109.0 / 219}}) {
    graphics->MousePressed(CentreX(*mono), c.y, {});
    EXPECT_DOUBLE_EQ(mono->Value(), c.value) << c.y;
  }
}

TEST_F(Controls, FaderDrawsItsHandleAtTheValue) {
  graphics->ForwardParamToControls(1, 0.0, true);
  graphics->Tick();
  EXPECT_EQ(graphics->Pixel(60, 324), kBackgroundColour);
  EXPECT_EQ(graphics->Pixel(60, 325), kHandleColour);
  EXPECT_EQ(graphics->Pixel(60, 392), kHandleColour);
}

TEST_F(Controls, KnobShowsTheFrameNearestItsValue) {
  struct Case {
    double value;
    int frame;
  };
  for (const Case c : {Case{0.0, 1}, Case{0.5, 51}, Case{1.0, 100}, Case{0.004, 1},
                       Case{0.006, 2}, Case{3.0, 100}, Case{-1.0, 1}}) {
    graphics->ForwardParamToControls(0, c.value, true);
    graphics->Tick();
    EXPECT_EQ(graphics->Pixel(113 + 47, 333 + 47), kOpaque | PIX_PixelValue(c.frame - 1)) << c.value;
  }
}

TEST(FrameOffset, FramesAreSpacedByTheImageSizeOverTheFrameCount) {
  const IImageStrip knob{nullptr, 48, 4800, 100, false};
  const IImageStrip font{nullptr, 570, 11, 95, true};
  const IImageStrip thirds{nullptr, 10, 100, 3, false};
  struct Case {
    const IImageStrip& strip;
    int frame, x, y;
  };
  const Case cases[] = {{knob, 1, 0, 0},    {knob, 2, 0, 48},  {knob, 100, 0, 4752},
                        {knob, 101, 0, 4752}, {knob, 0, 0, 0}, {font, 34, 198, 0},
                        {font, 95, 564, 0},   {thirds, 2, 0, 33},  {thirds, 3, 0, 67}};
  for (const Case& c : cases) {
    const IFrameOffset offset = IGraphics::FrameOffset(c.strip, c.frame);
    EXPECT_EQ(offset.x, c.x) << c.frame;
    EXPECT_EQ(offset.y, c.y) << c.frame;
  }
  const IImageStrip noFrames{nullptr, 10, 10, 0, false};
  EXPECT_EQ(IGraphics::FrameOffset(noFrames, 5).y, 0);
  EXPECT_EQ(noFrames.FrameHeight(), 10);
  EXPECT_EQ(noFrames.FrameForValue(0.7), 1);
}

TEST(ControlValues, OnlyALaterDifferentValueFromThePluginMarksAControlDirty) {
  TestEffect plugin;
  IBitmapControl control(&plugin, 0, 0, 0, IImageStrip{});
  control.MarkDrawn();
  control.ApplyValueFromPlugin(0.3);
  EXPECT_FALSE(control.NeedsRedraw());
  EXPECT_EQ(control.DefaultValue(), 0.3);
  control.ApplyValueFromPlugin(0.3);
  EXPECT_FALSE(control.NeedsRedraw());
  control.ApplyValueFromPlugin(0.4);
  EXPECT_TRUE(control.NeedsRedraw());
  EXPECT_TRUE(plugin.requests.empty());
}

TEST_F(Controls, SetTextMarksTheReadOutDirtyOnlyWhenTheTextChanges) {
  readout->SetText("6.00");
  EXPECT_TRUE(readout->NeedsRedraw());
  graphics->Tick();
  readout->SetText("6.00");
  EXPECT_FALSE(readout->NeedsRedraw());
  readout->SetText("-6.3");
  EXPECT_TRUE(readout->NeedsRedraw());
  EXPECT_EQ(readout->Text(), "-6.3");
}

TEST(DegenerateControls, StripsWithoutImageOrTravelNeverDivideByZero) {
  TestEffect plugin;
  TestGraphics graphics(&plugin, 100, 100);
  const IImageStrip none{};
  const IImageStrip handle{nullptr, 10, 40, 1, false};
  auto* fixed = new IFaderControl(&plugin, 0, 0, 40, 0, handle);
  auto* flat = new IKnobMultiControl(&plugin, 50, 50, 1, none);
  graphics.AddControl(fixed);
  graphics.AddControl(flat);
  graphics.PrepareSurfaces();
  graphics.ForwardParamToControls(0, 0.5, true);
  graphics.ForwardParamToControls(1, 0.5, true);

  fixed->JumpToPointer(5, 30);
  flat->HandleMouseDrag(50, 50, 4, 0, {});
  EXPECT_EQ(fixed->Value(), 0.5);
  EXPECT_EQ(flat->Value(), 0.5);
  EXPECT_EQ(fixed->HandleRect(0.0).top, 0);
  EXPECT_TRUE(graphics.RedrawArea({0, 0, 100, 100}));
}

}  // namespace
}  // namespace guitest
