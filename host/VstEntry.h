#pragma once
// Creating a plug-in for a host: the work of the module's exported entry point.

#include "host/EffectVST.h"

using VstEffectFactory = IEffectVST* (*)(audioMasterCallback host);

// Builds one plug-in object under the process-wide creation lock, fills any preset slot
// the effect left undefined, and returns its descriptor; null when nothing could be built,
// whatever building threw.
AEffect* CreateVstEffect(audioMasterCallback host, VstEffectFactory factory) noexcept;
