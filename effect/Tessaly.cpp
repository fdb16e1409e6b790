#include "effect/Tessaly.h"

#include <cmath>

#include "core/SampleLoops.h"
#include "effect/ReadoutText.h"

namespace {
constexpr double kMinDb = -94.0;
constexpr double kMaxDb = 6.0;
constexpr double kStepDb = 0.01;

struct ParameterSpec {
  const char* name;
  double shape;
};
// Shapes well below 1 give the upper decibels most of the travel of a slider.
constexpr ParameterSpec kParameters[Tessaly::kParamCount] = {
    {"Gain", 0.09}, {"Mono", 0.19}, {"Stereo", 0.19}};

struct FactoryPreset {
  const char* name;
  double values[Tessaly::kParamCount];  // Gain, Mono, Stereo in dB
};
constexpr FactoryPreset kFactoryPresets[Tessaly::kPresetCount] = {
    {"No Change", {0.0, 0.0, 0.0}},
    {"Stereo Enhance", {0.0, 0.0, 3.0}},
    {"Only Stereo", {0.0, -94.0, 0.0}},
    {"Only Mono", {0.0, 0.0, -94.0}},
};

// The mid/side mix of one block. Both inputs of a frame are read before either output is
// written, so the outputs may be the same memory as the inputs.
TESSALY_SAMPLE_LOOP void MixMidSide(const double* inL, const double* inR, double* outL,
                                    double* outR, int frames, double midGain, double sideGain,
                                    double outputGain) {
  for (int i = 0; i < frames; ++i) {
    const double left = inL[i];
    const double right = inR[i];
    const double side = (left - right) * sideGain;
    const double mid = (left + right) * midGain;
    outL[i] = (side + mid) * outputGain;
    outR[i] = (mid - side) * outputGain;
  }
}

double LinearGain(double db) { return db > Tessaly::kSilenceDb ? std::pow(10.0, db / 20.0) : 0.0; }
}  // namespace

IEffectIdentity Tessaly::Identity() {
  IEffectIdentity identity;
  identity.parameterCount = kParamCount;
  identity.presetCount = kPresetCount;
  identity.channelIO = "2-2";
  identity.effectName = "Tessaly";
  identity.productName = "";
  identity.vendorName = "Tsly";
  identity.version = 0x00020001;
  identity.uniqueID = 0x6A68784D;
  identity.vendorID = 0x6A68784D;
  return identity;
}

Tessaly::Tessaly(audioMasterCallback host) : IEffectVST(host, Identity()) {
  InitParameters();
  AttachEditor(BuildTessalyEditor(this, Version(), &readouts_));
  AddFactoryPresets();
  AddPresetsFromCurrentState("-", kPresetCount);
}

void Tessaly::InitParameters() {
  for (int i = 0; i < kParamCount; ++i) {
    IEffectParameter* parameter = Parameter(i);
    parameter->InitContinuous(kParameters[i].name, 0.0, kMinDb, kMaxDb, kStepDb, "dB", "", 1.0);
    parameter->ChangeShape(kParameters[i].shape);
  }
}

void Tessaly::AddFactoryPresets() {
  for (const FactoryPreset& preset : kFactoryPresets) AddPresetFromValues(preset.name, preset.values);
}

void Tessaly::HandleParameterChange(int index) {
  IEffectLockGuard lock(Mutex());
  const IEffectParameter* parameter = Parameter(index);
  if (parameter == nullptr) return;
  const double db = parameter->PlainValue();
  const double gain = LinearGain(db);
  switch (index) {
    case kGain: outputGain_ = gain; break;
    case kMono: midGain_ = 0.5 * gain; break;
    case kStereo: sideGain_ = 0.5 * gain; break;
    default: return;
  }
  ShowValue(index, db);
}

void Tessaly::ShowValue(int index, double db) {
  IBitmapTextControl* readout = readouts_.byParameter[index];
  if (readout == nullptr) return;
  char text[kReadoutTextSize];
  FormatReadoutText(db, text);
  readout->SetText(text);
}

void Tessaly::RenderDouble(double** inputs, double** outputs, int frames) {
  MixMidSide(inputs[0], inputs[1], outputs[0], outputs[1], frames, midGain_, sideGain_,
             outputGain_);
}
