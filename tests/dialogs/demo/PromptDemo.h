#pragma once
// A small effect whose editor prompts for values: "Mode" is a choice of three display
// texts (a menu), "Level" a gain in decibels (a text field). It scales the signal by the
// level.

#include "host/EffectVST.h"

class PromptDemo : public IEffectVST {
 public:
  enum Param { kMode = 0, kLevel = 1, kParamCount = 2 };

  explicit PromptDemo(audioMasterCallback host);

  void HandleParameterChange(int index) override;
  void RenderDouble(double** inputs, double** outputs, int frames) override;

 private:
  void BuildEditor();

  double gain_ = 1.0;
};
