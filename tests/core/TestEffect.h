#pragma once
// A plug-in object for tests: records every host request it would make and every
// parameter notification it receives.

#include <string>
#include <vector>

#include "core/EffectBase.h"

class TestEffect : public IEffectBase {
 public:
  explicit TestEffect(int parameters = 3, int presets = 4, const char* channels = "2-2")
      : IEffectBase(MakeIdentity(parameters, presets, channels)) {
    for (int i = 0; i < parameters; ++i) {
      Parameter(i)->InitContinuous(("p" + std::to_string(i)).c_str(), 0.0, -10.0, 10.0, 0.01,
                                   "u", "", 1.0);
    }
  }

  void HandleParameterChange(int index) override {
    IEffectBase::HandleParameterChange(index);
    notified.push_back(index);
  }
  void HandlePresetsChanged() override { ++presetsChanged; }

  void BeginParameterGesture(int index) override { requests.push_back("begin " + std::to_string(index)); }
  void ReportParameterValue(int index, double normalised) override {
    requests.push_back("value " + std::to_string(index) + " " + std::to_string(normalised));
  }
  void EndParameterGesture(int index) override { requests.push_back("end " + std::to_string(index)); }
  void ReportPresetChange() override {}
  int TransportSamplePosition() override { return 0; }
  double TransportTempo() override { return 0.0; }
  void TransportTimeSignature(int* numerator, int* denominator) override { *numerator = *denominator = 0; }
  void TransportInfo(ITransportInfo*) override {}
  void EditorResized(int, int) override {}
  bool EmitMidiMessage(const IMidiMessage&) override { return false; }

  std::vector<int> notified;
  std::vector<std::string> requests;
  int presetsChanged = 0;

 private:
  static IEffectIdentity MakeIdentity(int parameters, int presets, const char* channels) {
    IEffectIdentity identity;
    identity.parameterCount = parameters;
    identity.presetCount = presets;
    identity.channelIO = channels;
    identity.effectName = "Test";
    identity.version = 0x00020001;
    return identity;
  }
};
