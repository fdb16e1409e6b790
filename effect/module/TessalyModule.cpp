// The plug-in module's exported entry point: one Tessaly per call.

#include "effect/Tessaly.h"
#include "host/VstEntry.h"

namespace {
IEffectVST* CreateTessaly(audioMasterCallback host) { return new Tessaly(host); }
}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host) {
  return CreateVstEffect(host, CreateTessaly);
}

// Older hosts look the entry point up under this name.
extern "C" __attribute__((visibility("default"))) AEffect* main_entry(audioMasterCallback host)
    __asm__("main");
AEffect* main_entry(audioMasterCallback host) { return VSTPluginMain(host); }
