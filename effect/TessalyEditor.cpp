#include "effect/TessalyEditor.h"

#include <cstdio>

#include "effect/TessalyResources.h"
#include "gui/FaderControl.h"
#include "gui/KnobMultiControl.h"

namespace {
constexpr int kWidth = 274;
constexpr int kHeight = 438;
constexpr int kFrameRate = 25;

enum Image { kKnob = 101, kBackground = 102, kFont = 103, kFaderCap = 104 };
constexpr int kKnobFrames = 100;
constexpr int kFontFrames = 95;  // characters 32 to 126
constexpr double kKnobGearing = 4.0;
constexpr int kFaderLength = 287;
constexpr int kCharWidth = 6;
constexpr int kCharHeight = 12;

constexpr int kGain = 0;
constexpr int kMono = 1;
constexpr int kStereo = 2;

struct Readout {
  int parameter;
  IRectangle rect;
};
// In the order they are added: Gain above the knob, Mono and Stereo above their faders.
constexpr Readout kReadouts[] = {
    {kGain, {103, 315, 171, 330}}, {kMono, {21, 95, 103, 110}}, {kStereo, {171, 95, 249, 110}}};
constexpr IRectangle kVersionRect{200, 422, 268, 435};

bool Loaded(const IImageStrip& strip) { return strip.image != nullptr; }

void AddKnob(IGraphicsWin& editor, IEffectBase* plugin) {
  const IImageStrip knob = editor.LoadImageStrip(kKnob, "resources/img/knob.png", kKnobFrames);
  if (!Loaded(knob)) return;
  editor.AddControl(
      new IKnobMultiControl(plugin, 113, 333, kGain, knob, DIRECTION_VERTICAL, kKnobGearing));
}

void AddFaders(IGraphicsWin& editor, IEffectBase* plugin) {
  const IImageStrip cap = editor.LoadImageStrip(kFaderCap, "resources/img/SliderCap.png");
  if (!Loaded(cap)) return;
  editor.AddControl(new IFaderControl(plugin, 48, 106, kFaderLength, kMono, cap));
  editor.AddControl(new IFaderControl(plugin, 197, 106, kFaderLength, kStereo, cap));
}

IBitmapTextControl* MakeText(IEffectBase* plugin, const IRectangle& rect, const IImageStrip& font,
                             const char* text, ITextAlign alignment) {
  const ITextStyle style(12, &kOpaqueBlack, "Arial", FONT_NORMAL, alignment);
  return new IBitmapTextControl(plugin, rect, font, text, &style, true, false, kCharWidth,
                                kCharHeight, 0);
}

void AddTexts(IGraphicsWin& editor, IEffectBase* plugin, int32_t version,
              TessalyReadouts* readouts) {
  const IImageStrip font = editor.LoadImageStrip(kFont, "resources/img/font-white.png",
                                                 kFontFrames, true);
  if (!Loaded(font)) return;
  for (const Readout& readout : kReadouts) {
    IBitmapTextControl* control = MakeText(plugin, readout.rect, font, "", ALIGN_CENTRE);
    editor.AddControl(control);
    readouts->byParameter[readout.parameter] = control;
  }
  char text[32];
  std::snprintf(text, sizeof text, "v%d.%d.%d", version / 65536, version / 256 % 256,
                version % 256);
  editor.AddControl(MakeText(plugin, kVersionRect, font, text, ALIGN_FAR));
}
}  // namespace

IGraphicsWin* BuildTessalyEditor(IEffectBase* plugin, int32_t version, TessalyReadouts* readouts) {
  auto* editor = new IGraphicsWin(plugin, kWidth, kHeight, kFrameRate);
  editor->SetModuleHandle(TessalyResources());
  editor->SetBackgroundImage(kBackground, "resources/img/tessalyBack.png");
  AddKnob(*editor, plugin);
  AddFaders(*editor, plugin);
  AddTexts(*editor, plugin, version, readouts);
  return editor;
}
