#pragma once
// What a plug-in tells the framework about itself when it is built.

#include <cstdint>

struct IEffectIdentity {
  int parameterCount = 0;
  int presetCount = 0;
  const char* channelIO = "2-2";
  const char* effectName = "";
  const char* productName = "";
  const char* vendorName = "";
  int32_t version = 0;  // major << 16 | minor << 8 | patch
  int32_t uniqueID = 0;
  int32_t vendorID = 0;
  int latency = 0;
  bool manualPresetCapture = false;
  bool isInstrument = false;
  bool handlesMidi = false;
  int adapterKind = 0;  // 0: VST 2.4
};
