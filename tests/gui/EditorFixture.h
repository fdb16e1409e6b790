#pragma once
// An editor laid out like the effect's: a background, a knob for parameter 0, faders for
// parameters 1 and 2 and a bitmap-text read-out, attached to a test plug-in object that
// records what the editor sends it. Every image encodes where its pixels come from: knob
// frame k is coloured k, a font pixel is coloured by its x, the handle is green.

#include <gtest/gtest.h>

#include "core/TestEffect.h"
#include "gui/BitmapTextControl.h"
#include "gui/FaderControl.h"
#include "gui/KnobMultiControl.h"
#include "gui/TestGraphics.h"

namespace guitest {

constexpr int kKnobImage = 9101;
constexpr int kBackgroundImage = 9102;
constexpr int kFontImage = 9103;
constexpr int kHandleImage = 9104;
constexpr PIX_PixelValue kOpaque = 0xFF000000;
constexpr PIX_PixelValue kBackgroundColour = 0xFF202020;
constexpr PIX_PixelValue kHandleColour = 0xFF00FF00;

inline void RegisterEditorImages() {
  if (TestImages().count(kKnobImage) != 0) return;
  RegisterImage(kKnobImage, 48, 4800, [](int, int y) { return kOpaque | PIX_PixelValue(y / 48); });
  RegisterImage(kBackgroundImage, 274, 438, [](int, int) { return kBackgroundColour; });
  RegisterImage(kFontImage, 570, 11, [](int x, int) { return kOpaque | PIX_PixelValue(x); });
  RegisterImage(kHandleImage, 44, 68, [](int, int) { return kHandleColour; });
}

class EditorFixture : public ::testing::Test {
 protected:
  EditorFixture() {
    RegisterEditorImages();
    graphics = new TestGraphics(&effect);
    graphics->SetBackgroundImage(kBackgroundImage, "back.png");
    const IImageStrip knobStrip = graphics->LoadImageStrip(kKnobImage, "knob.png", 100);
    knob = new IKnobMultiControl(&effect, 113, 333, 0, knobStrip);
    graphics->AddControl(knob);
    const IImageStrip handle = graphics->LoadImageStrip(kHandleImage, "cap.png");
    mono = new IFaderControl(&effect, 48, 106, 287, 1, handle);
    graphics->AddControl(mono);
    stereo = new IFaderControl(&effect, 197, 106, 287, 2, handle);
    graphics->AddControl(stereo);
    font = graphics->LoadImageStrip(kFontImage, "font.png", 95, true);
    readout = new IBitmapTextControl(&effect, {103, 315, 171, 330}, font);
    graphics->AddControl(readout);
    effect.AttachEditor(graphics);
    graphics->Tick();
    graphics->presented.clear();
  }

  // The centre of a control's rectangle.
  static int CentreX(const IControl& c) { return (c.Rect().left + c.Rect().right) / 2; }
  static int CentreY(const IControl& c) { return (c.Rect().top + c.Rect().bottom) / 2; }

  TestEffect effect;
  TestGraphics* graphics;  // owned by effect
  IKnobMultiControl* knob;
  IFaderControl* mono;
  IFaderControl* stereo;
  IBitmapTextControl* readout;
  IImageStrip font;
};

}  // namespace guitest
