#pragma once
// An effect for tests of the host boundary: names and texts longer than any buffer a host
// provides for them, and hooks that throw when asked to.

#include <new>
#include <stdexcept>
#include <string>

#include "host/EffectVST.h"

class BoundaryEffect : public IEffectVST {
 public:
  explicit BoundaryEffect(audioMasterCallback host) : IEffectVST(host, Identity()) {
    Parameter(0)->InitContinuous("A parameter name far past sixteen", 0.0, -1e12, 1e12, 0.01,
                                 "a label longer than eight", "", 1.0);
    Parameter(0)->SetClamped(-123456789.0);
  }

  static IEffectVST* Create(audioMasterCallback host) { return new BoundaryEffect(host); }
  static BoundaryEffect& Of(AEffect* effect) { return *static_cast<BoundaryEffect*>(effect->object); }

  // Writes a partial result before failing, as a render interrupted halfway would.
  void RenderDouble(double** inputs, double** outputs, int frames) override {
    if (throwing) {
      outputs[0][0] = 0.5;
      throw std::bad_alloc();
    }
    IEffectVST::RenderDouble(inputs, outputs, frames);
  }
  void HandleParameterChange(int index) override {
    if (throwing) throw std::bad_alloc();
    IEffectVST::HandleParameterChange(index);
  }
  bool SaveState(IStateChunk& chunk) override {
    if (throwing) throw std::runtime_error("state unavailable");
    return IEffectVST::SaveState(chunk);
  }

  bool throwing = false;

 private:
  static IEffectIdentity Identity() {
    static const std::string effect(100, 'e'), product(100, 'p'), vendor(100, 'v');
    IEffectIdentity identity;
    identity.parameterCount = 1;
    identity.presetCount = 1;
    identity.effectName = effect.c_str();
    identity.productName = product.c_str();
    identity.vendorName = vendor.c_str();
    return identity;
  }
};
