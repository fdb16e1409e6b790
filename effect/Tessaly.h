#pragma once
// Tessaly: a stereo mid/side gain effect. The input is split into a centre component
// (L + R, gain "Mono") and a sides component (L - R, gain "Stereo"), recombined, and
// scaled by the output gain "Gain". All three parameters are in decibels.

#include "effect/TessalyEditor.h"
#include "host/EffectVST.h"

class Tessaly : public IEffectVST {
 public:
  enum Param { kGain = 0, kMono = 1, kStereo = 2, kParamCount = 3 };
  static constexpr int kPresetCount = 4;
  // Levels at or below this many dB switch a component off completely.
  static constexpr double kSilenceDb = -93.0;

  explicit Tessaly(audioMasterCallback host);

  void HandleParameterChange(int index) override;
  void RenderDouble(double** inputs, double** outputs, int frames) override;

  double MidGain() const { return midGain_; }
  double SideGain() const { return sideGain_; }
  double OutputGain() const { return outputGain_; }

  static IEffectIdentity Identity();

 private:
  void InitParameters();
  void AddFactoryPresets();
  void ShowValue(int index, double db);

  double midGain_ = 1.0;
  double sideGain_ = 1.0;
  double outputGain_ = 0.5;
  TessalyReadouts readouts_;
};
