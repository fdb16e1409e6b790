// The plug-in module's exported entry point: one Tessaly per call, or null when it cannot
// be built; nothing is ever thrown into the host.

#include "effect/Tessaly.h"
#include "host/VstEntry.h"

namespace {
IEffectVST* CreateTessaly(audioMasterCallback host) { return new Tessaly(host); }
}  // namespace

TESSALY_VST_ENTRY_POINTS(CreateTessaly)
