#pragma once
// The built module loaded exactly as a host loads it: dlopen, the exported entry point
// called with a host callback that records every request it receives.

#include <cstdint>
#include <string>
#include <vector>

#include "host/Vst2.h"

// What the test host was asked, in order.
struct RecordedRequest {
  int32_t opcode;
  int32_t index;
};

class LoadedModule {
 public:
  LoadedModule();
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  bool Loaded() const { return entry_ != nullptr; }
  // A new plug-in from the entry point; close it with Close.
  AEffect* Create() const;
  static void Close(AEffect* effect);

  static std::vector<RecordedRequest>& Requests();
  static intptr_t HostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt);

 private:
  void* handle_ = nullptr;
  VstPluginMainProc entry_ = nullptr;
};

intptr_t Dispatch(AEffect* effect, int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                  float opt = 0.0f);
// A text request into a large, pre-filled buffer.
std::string QueryText(AEffect* effect, int32_t opcode, int32_t index = 0);
