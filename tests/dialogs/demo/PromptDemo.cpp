#include "PromptDemo.h"

#include <cmath>

#include "ValueBoxControl.h"
#include "gui/win/GraphicsWin.h"

namespace {
constexpr int kWidth = 300;
constexpr int kHeight = 72;
constexpr IArgbColour kText{255, 232, 238, 244};
constexpr IArgbColour kEntryGround{255, 232, 238, 244};
constexpr IArgbColour kEntryText{255, 27, 37, 48};
const char* const kModes[] = {"Clean", "Warm", "Bright"};

IEffectIdentity Identity() {
  IEffectIdentity identity;
  identity.parameterCount = PromptDemo::kParamCount;
  identity.presetCount = 1;
  identity.effectName = "Prompt Demo";
  identity.vendorName = "Tsly";
  identity.version = 0x00010000;
  identity.uniqueID = 0x6A68785A;
  identity.vendorID = 0x6A68784D;
  return identity;
}
}  // namespace

PromptDemo::PromptDemo(audioMasterCallback host) : IEffectVST(host, Identity()) {
  IEffectParameter* mode = Parameter(kMode);
  mode->InitEnumeration("Mode", 0, 3, "", "");
  for (int i = 0; i < 3; ++i) mode->AddDisplayText(i, kModes[i]);
  Parameter(kLevel)->InitContinuous("Level", 0.0, -24.0, 24.0, 0.1, "dB", "", 1.0);
  BuildEditor();
  AddPresetsFromCurrentState("Default", 1);
}

void PromptDemo::BuildEditor() {
  auto* editor = new IGraphicsWin(this, kWidth, kHeight, 25);
  const ITextStyle style(14, &kText, "DejaVu Sans", FONT_NORMAL, ALIGN_CENTRE, 0, QUALITY_DEFAULT,
                         kEntryGround, kEntryText);
  editor->AddControl(new ValueBoxControl(this, {0, 0, 150, kHeight}, kMode, style));
  editor->AddControl(new ValueBoxControl(this, {150, 0, kWidth, kHeight}, kLevel, style));
  AttachEditor(editor);
}

void PromptDemo::HandleParameterChange(int index) {
  IEffectLockGuard lock(Mutex());
  if (index == kLevel) gain_ = std::pow(10.0, Parameter(kLevel)->PlainValue() / 20.0);
}

void PromptDemo::RenderDouble(double** inputs, double** outputs, int frames) {
  for (int channel = 0; channel < 2; ++channel) {
    for (int i = 0; i < frames; ++i) outputs[channel][i] = inputs[channel][i] * gain_;
  }
}
