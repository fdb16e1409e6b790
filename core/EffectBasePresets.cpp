// Preset operations of the plug-in object: factory presets, switching, naming.

#include <cstdio>
#include <cstring>

#include "core/EffectBase.h"
#include "core/PlugTrace.h"
#include "core/TextField.h"

namespace {
constexpr const char* kUserPresetWord = "user preset";
}

IEffectPreset* IEffectBase::FirstFreePreset() const {
  for (int i = 0; i < presets_.Count(); ++i) {
    if (!presets_.Get(i)->initialised) return presets_.Get(i);
  }
  return nullptr;
}

void IEffectBase::CapturePreset(IEffectPreset& preset) {
  preset.state.Truncate();
  SaveState(preset.state);
}

void IEffectBase::AddPresetFromValues(const char* name, const double* values) {
  IEffectPreset* preset = FirstFreePreset();
  if (preset == nullptr) return;
  preset->initialised = true;
  CopyField(preset->name, IEffectPreset::kNameSize, name);
  preset->state.Truncate();
  for (int i = 0; i < ParameterCount(); ++i) preset->state.AppendDouble(values[i]);
}

void IEffectBase::AddPresetsFromCurrentState(const char* name, int count) {
  for (int i = 0; i < count; ++i) {
    IEffectPreset* preset = FirstFreePreset();
    if (preset == nullptr) return;
    preset->initialised = true;
    CopyField(preset->name, IEffectPreset::kNameSize, name != nullptr ? name : "Empty");
    CapturePreset(*preset);
  }
}

void IEffectBase::NextUserPresetName(char* out) const {
  int count = 0;
  for (int i = 0; i < presets_.Count(); ++i) {
    if (std::strstr(presets_.Get(i)->name, kUserPresetWord) != nullptr) ++count;
  }
  std::snprintf(out, IEffectPreset::kNameSize, "%s %d", kUserPresetWord, count + 1);
}

bool IEffectBase::LoadPreset(int index) {
  IEffectPreset* preset = presets_.Get(index);
  if (preset == nullptr) return false;
  bool loaded;
  if (!preset->initialised) {
    preset->initialised = true;
    NextUserPresetName(preset->name);
    preset->state.Truncate();
    loaded = SaveState(preset->state);
  } else {
    loaded = LoadState(preset->state, 0) > 0;
  }
  if (loaded) {
    currentPreset_ = index;
    HandlePresetsChanged();
    PushParametersToEditor();
  }
  return loaded;
}

const char* IEffectBase::PresetName(int index) const {
  const IEffectPreset* preset = presets_.Get(index);
  return preset != nullptr ? preset->name : "";
}

bool IEffectBase::PresetInitialised(int index) const {
  const IEffectPreset* preset = presets_.Get(index);
  return preset != nullptr && preset->initialised;
}

void IEffectBase::ModifyCurrentPreset(const char* newName) {
  IEffectPreset* preset = presets_.Get(currentPreset_);
  if (preset == nullptr) return;
  preset->state.Truncate();
  PlugTrace("IEffectBase::ModifyCurrentPreset", __LINE__, "%d %s", currentPreset_, preset->name);
  SaveState(preset->state);
  if (newName != nullptr && newName[0] != '\0') {
    CopyField(preset->name, IEffectPreset::kNameSize, newName);
  }
}
