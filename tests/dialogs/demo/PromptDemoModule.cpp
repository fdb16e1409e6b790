// The demonstration module's exported entry point.

#include "PromptDemo.h"
#include "host/VstEntry.h"

namespace {
IEffectVST* CreatePromptDemo(audioMasterCallback host) { return new PromptDemo(host); }
}  // namespace

TESSALY_VST_ENTRY_POINTS(CreatePromptDemo)
