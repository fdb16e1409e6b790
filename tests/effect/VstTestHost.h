#pragma once
// A host for tests: creates plug-ins through the same path the module's entry point
// takes, records every request the plug-in sends, and answers with configurable values.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "effect/Tessaly.h"
#include "host/VstEntry.h"

struct HostRequest {
  int32_t opcode;
  int32_t index;
  intptr_t value;
  float opt;
};

struct HostAnswers {
  std::string product = "Test Host";
  intptr_t vendorVersion = 1234;
  intptr_t processLevel = 0;
  VstTimeInfo time{};
  bool timeAvailable = true;
  intptr_t eventsAnswer = 1;
};

class VstTestHost : public ::testing::Test {
 protected:
  void SetUp() override { current = this; }
  void TearDown() override {
    for (AEffect* effect : effects_) Dispatch(effect, effClose);
    current = nullptr;
  }

  static IEffectVST* NewTessaly(audioMasterCallback host) { return new Tessaly(host); }

  AEffect* Create(VstEffectFactory factory = &NewTessaly) {
    AEffect* effect = CreateVstEffect(&Callback, factory);
    effects_.push_back(effect);
    return effect;
  }

  // Opens and configures a plug-in the way hosts do before processing.
  AEffect* CreateRunning(int blockSize = 512, float sampleRate = 48000.0f,
                         VstEffectFactory factory = &NewTessaly) {
    AEffect* effect = Create(factory);
    Dispatch(effect, effOpen);
    Dispatch(effect, effSetSampleRate, 0, 0, nullptr, sampleRate);
    Dispatch(effect, effSetBlockSize, 0, blockSize);
    Dispatch(effect, effMainsChanged, 0, 1);
    return effect;
  }

  void Close(AEffect* effect) {
    Dispatch(effect, effClose);
    effects_.erase(std::find(effects_.begin(), effects_.end(), effect));
  }

  static intptr_t Dispatch(AEffect* effect, int32_t opcode, int32_t index = 0, intptr_t value = 0,
                           void* ptr = nullptr, float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  }

  static Tessaly& Plugin(AEffect* effect) { return *static_cast<Tessaly*>(effect->object); }

  int CountRequests(int32_t opcode) const {
    int count = 0;
    for (const HostRequest& r : requests) count += r.opcode == opcode ? 1 : 0;
    return count;
  }

  std::vector<HostRequest> requests;
  HostAnswers answers;
  VstEvents lastEvents{};
  std::vector<char> lastEventBytes;

 private:
  static intptr_t Callback(AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                           float opt) {
    VstTestHost& host = *current;
    host.requests.push_back({opcode, index, value, opt});
    switch (opcode) {
      case audioMasterVersion: return 2400;
      case audioMasterGetProductString:
        std::snprintf(static_cast<char*>(ptr), 64, "%s", host.answers.product.c_str());
        return 1;
      case audioMasterGetVendorVersion: return host.answers.vendorVersion;
      case audioMasterGetCurrentProcessLevel: return host.answers.processLevel;
      case audioMasterGetTime:
        return host.answers.timeAvailable ? reinterpret_cast<intptr_t>(&host.answers.time) : 0;
      case audioMasterProcessEvents: {
        const auto* events = static_cast<const VstEvents*>(ptr);
        host.lastEvents = *events;
        const auto* bytes = reinterpret_cast<const char*>(events->events[0]);
        host.lastEventBytes.assign(bytes, bytes + events->events[0]->byteSize);
        return host.answers.eventsAnswer;
      }
      default: return 0;
    }
  }

  static inline VstTestHost* current = nullptr;
  std::vector<AEffect*> effects_;
};
