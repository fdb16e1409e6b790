// State serialisation of the plug-in object: parameter values and the preset bank.

#include <cmath>

#include "core/EffectBase.h"
#include "core/PlugTrace.h"

bool IEffectBase::SerializeParams(IStateChunk& chunk) {
  IEffectLockGuard lock(mutex_);
  bool ok = true;
  for (int i = 0; i < ParameterCount() && ok; ++i) {
    const IEffectParameter& parameter = *Parameter(i);
    PlugTrace("IEffectBase::SerializeParams", __LINE__, "%d %s %f", i, parameter.Name(),
              parameter.PlainValue());
    chunk.AppendDouble(parameter.PlainValue());
    ok = chunk.ByteCount() > 0;
  }
  return ok;
}

int IEffectBase::UnserializeParams(const IStateChunk& chunk, int position) {
  IEffectLockGuard lock(mutex_);
  for (int i = 0; i < ParameterCount() && position >= 0; ++i) {
    IEffectParameter& parameter = *Parameter(i);
    PlugTrace("IEffectBase::UnserializeParams", __LINE__, "%d %s %f", i, parameter.Name(),
              parameter.PlainValue());
    double value = 0.0;
    position = chunk.ReadDouble(&value, position);
    // A stored value that is not a finite number counts as missing.
    if (position >= 0 && !std::isfinite(value)) {
      value = 0.0;
      position = -1;
    }
    parameter.SetClamped(value);
  }
  NotifyAllParameters();
  return position;
}

bool IEffectBase::SerializePresets(IStateChunk& chunk) {
  bool ok = true;
  for (int i = 0; i < presets_.Count() && ok; ++i) {
    const IEffectPreset& preset = *presets_.Get(i);
    chunk.AppendText(preset.name);
    PlugTrace("IEffectBase::SerializePresets", __LINE__, "%d %s", i, preset.name);
    chunk.AppendFlag(preset.initialised);
    if (preset.initialised) {
      chunk.AppendBytes(preset.state);
      ok = chunk.ByteCount() > 0;
    }
  }
  return ok;
}

int IEffectBase::UnserializePresets(const IStateChunk& chunk, int position) {
  for (int i = 0; i < presets_.Count() && position >= 0; ++i) {
    IEffectPreset& preset = *presets_.Get(i);
    const int afterName = chunk.ReadText(preset.name, IEffectPreset::kNameSize, position);
    PlugTrace("IEffectBase::UnserializePresets", __LINE__, "%d %s", i, preset.name);
    bool initialised = false;
    position = chunk.ReadFlag(&initialised, afterName);
    if (position < 0) break;
    preset.initialised = initialised;
    if (!preset.initialised) continue;
    position = LoadState(chunk, position);
    if (position > 0) CapturePreset(preset);
  }
  LoadPreset(currentPreset_);
  return position;
}
