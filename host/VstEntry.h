#pragma once
// Creating a plug-in for a host: the work of the module's exported entry point.

#include "host/EffectVST.h"

using VstEffectFactory = IEffectVST* (*)(audioMasterCallback host);

// Builds one plug-in object under the process-wide creation lock, fills any preset slot
// the effect left undefined, and returns its descriptor; null when nothing could be built,
// whatever building threw.
AEffect* CreateVstEffect(audioMasterCallback host, VstEffectFactory factory) noexcept;

// Defines a module's exported entry points for the effect that factory makes:
// VSTPluginMain, and main, the name older hosts look for.
#define TESSALY_VST_ENTRY_POINTS(factory)                                                  \
  extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(              \
      audioMasterCallback host) noexcept {                                                \
    return CreateVstEffect(host, factory);                                                \
  }                                                                                       \
  extern "C" __attribute__((visibility("default"))) AEffect* main_entry(                 \
      audioMasterCallback host) noexcept __asm__("main");                                 \
  AEffect* main_entry(audioMasterCallback host) noexcept { return VSTPluginMain(host); }
