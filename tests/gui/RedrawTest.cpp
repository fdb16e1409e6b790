#include <cmath>

#include "gui/EditorFixture.h"
#include "gui/RectangleOps.h"

namespace guitest {
namespace {

using Redraw = EditorFixture;

TEST_F(Redraw, AParameterChangeRepaintsOnlyTheUnionOfTheDirtyControls) {
  EXPECT_FALSE(graphics->Tick());

  graphics->ForwardParamToControls(0, 0.75, true);
  graphics->ForwardParamToControls(1, 0.25, true);
  IRectangle area{0, 0, 0, 0};
  ASSERT_TRUE(graphics->FindDirtyArea(area));
  EXPECT_TRUE(Same(area, Union(knob->Rect(), mono->Rect())));
  EXPECT_TRUE(graphics->RedrawArea(area));
  ASSERT_EQ(graphics->presented.size(), 1u);
  EXPECT_TRUE(Same(graphics->presented[0], area));
}

TEST_F(Redraw, AChangeFromThePluginIsDrawnInTwoPassesAndAPointerChangeInOne) {
  graphics->ForwardParamToControls(0, 0.75, true);
  EXPECT_TRUE(graphics->Tick());
  EXPECT_TRUE(graphics->Tick());
  EXPECT_FALSE(graphics->Tick());
  EXPECT_EQ(graphics->presented.size(), 2u);

  graphics->MousePressed(CentreX(*mono), 200, {});
  EXPECT_TRUE(graphics->Tick());
  EXPECT_FALSE(graphics->Tick());
}

TEST_F(Redraw, HiddenControlsAreNotDrawnButStillMarkedDrawn) {
  knob->SetHidden(true);
  graphics->ForwardParamToControls(0, 1.0, true);
  const IRectangle area = knob->Rect();
  const PIX_PixelValue before = graphics->Pixel(area.left, area.top);
  EXPECT_TRUE(graphics->RedrawArea(area));
  EXPECT_TRUE(graphics->RedrawArea(area));
  EXPECT_EQ(graphics->Pixel(area.left, area.top), kBackgroundColour);
  EXPECT_NE(before, kBackgroundColour);
  EXPECT_FALSE(knob->NeedsRedraw());
}

TEST_F(Redraw, ThePluginsValuesReachTheControlsBeforeAnyWindowExists) {
  // Plain values are mapped through the parameter's range; values beyond it are limited.
  graphics->ForwardParamToControls(1, 50.0, false);
  graphics->ForwardParamToControls(2, -5.0, false);
  EXPECT_EQ(mono->Value(), 1.0);
  EXPECT_DOUBLE_EQ(stereo->Value(), 0.25);
  effect.Parameter(0)->SetClamped(5.0);
  effect.PushParametersToEditor();
  EXPECT_DOUBLE_EQ(knob->Value(), 0.75);
  // A value that is not a number is not passed on.
  graphics->ForwardParamToControls(0, std::nan(""), true);
  EXPECT_DOUBLE_EQ(knob->Value(), 0.75);
}

TEST(RedrawEdges, NothingIsDrawnOrPresentedWithoutControlsOrWithoutASurface) {
  TestEffect plugin;
  TestGraphics graphics(&plugin, 20, 20);
  EXPECT_TRUE(graphics.RedrawArea({0, 0, 20, 20}));
  graphics.AddControl(new IBitmapTextControl(&plugin, {0, 0, 20, 20}, IImageStrip{}, "x"));
  EXPECT_FALSE(graphics.RedrawArea({0, 0, 20, 20}));
  EXPECT_TRUE(graphics.presented.empty());
  graphics.PrepareSurfaces();
  EXPECT_TRUE(graphics.RedrawArea({0, 0, 20, 20}));
  EXPECT_EQ(graphics.presented.size(), 1u);

  graphics.SetEditorSize(40, 30);
  EXPECT_EQ(graphics.ControlCount(), 0);
  EXPECT_EQ(graphics.Surface()->Width(), 40);
  EXPECT_EQ(graphics.Surface()->Height(), 30);
}

}  // namespace
}  // namespace guitest
