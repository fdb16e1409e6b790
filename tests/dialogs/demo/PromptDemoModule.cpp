// The demonstration module's exported entry point.

#include "PromptDemo.h"
#include "host/VstEntry.h"

namespace {
IEffectVST* CreatePromptDemo(audioMasterCallback host) { return new PromptDemo(host); }
}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(
    audioMasterCallback host) noexcept {
  return CreateVstEffect(host, CreatePromptDemo);
}

extern "C" __attribute__((visibility("default"))) AEffect* main_entry(audioMasterCallback host)
    noexcept __asm__("main");
AEffect* main_entry(audioMasterCallback host) noexcept { return VSTPluginMain(host); }
