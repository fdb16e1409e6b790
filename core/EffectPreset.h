#pragma once
// A named snapshot of the plug-in state, stored in the layout SaveState writes.

#include "core/StateChunk.h"

struct IEffectPreset {
  static constexpr int kNameSize = 256;

  bool initialised = false;
  char name[kNameSize] = "empty";
  IStateChunk state;
};
