// The plug-in module's exported entry point: one Tessaly per call, or null when it cannot
// be built; nothing is ever thrown into the host.

#include "effect/Tessaly.h"
#include "host/VstEntry.h"

namespace {
IEffectVST* CreateTessaly(audioMasterCallback host) { return new Tessaly(host); }
}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(
    audioMasterCallback host) noexcept {
  return CreateVstEffect(host, CreateTessaly);
}

// Older hosts look the entry point up under this name.
extern "C" __attribute__((visibility("default"))) AEffect* main_entry(audioMasterCallback host)
    noexcept __asm__("main");
AEffect* main_entry(audioMasterCallback host) noexcept { return VSTPluginMain(host); }
