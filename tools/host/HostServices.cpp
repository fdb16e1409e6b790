#include "tools/host/HostServices.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace {

// Capabilities that tessaly-host has; every other question is answered "don't know" (0).
constexpr const char* kCapabilities[] = {"sendVstTimeInfo", "startStopProcess"};

constexpr int32_t kBeatsPerBar = 4;

}  // namespace

HostServices& HostServices::Instance() {
  static HostServices host;
  return host;
}

intptr_t HostServices::Callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                float opt) {
  return Instance().Answer(effect, opcode, index, value, ptr, opt);
}

intptr_t HostServices::Answer(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                              float opt) {
  HostRequest request;
  request.opcode = opcode;
  request.index = index;
  request.value = value;
  request.opt = opt;
  request.answer = AnswerRequest(effect, opcode, ptr, &request);
  const std::lock_guard<std::mutex> lock(recordMutex_);
  if (recording_) requests_.push_back(request);
  return request.answer;
}

intptr_t HostServices::AnswerRequest(AEffect* effect, int32_t opcode, void* ptr, HostRequest* request) {
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterCurrentId:
      return effect ? effect->uniqueID : 0;
    case audioMasterGetTime:
      return reinterpret_cast<intptr_t>(CurrentTime());
    case audioMasterGetSampleRate:
      return static_cast<intptr_t>(std::lround(sampleRate_));
    case audioMasterGetBlockSize:
      return blockSize_;
    case audioMasterGetCurrentProcessLevel:
      return rendering_ ? kVstProcessLevelOffline : kVstProcessLevelUser;
    case audioMasterGetAutomationState:
      return kVstAutomationOff;
    case audioMasterGetVendorString:
      return CopyText(ptr, kVendorString, request);
    case audioMasterGetProductString:
      return CopyText(ptr, kProductString, request);
    case audioMasterGetVendorVersion:
      return kVendorVersion;
    case audioMasterGetLanguage:
      return kVstLangEnglish;
    case audioMasterGetDirectory: {
      const auto kept = directories_.find(effect);
      return reinterpret_cast<intptr_t>(kept != directories_.end() ? kept->second.c_str() : moduleDirectory_.c_str());
    }
    case audioMasterCanDo: {
      if (!ptr) return 0;
      request->text = static_cast<const char*>(ptr);
      for (const char* capability : kCapabilities) {
        if (request->text == capability) return 1;
      }
      return 0;
    }
    case audioMasterAutomate:
    case audioMasterUpdateDisplay:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
      return 1;  // noted; nothing to update in a command-line host
    default:
      return 0;
  }
}

intptr_t HostServices::CopyText(void* ptr, const char* text, HostRequest* request) {
  if (!ptr) return 0;
  // Hosts may fill at most the interface's 64 bytes, terminator included.
  std::strncpy(static_cast<char*>(ptr), text, kVstMaxProductStrLen - 1);
  static_cast<char*>(ptr)[kVstMaxProductStrLen - 1] = '\0';
  request->text = text;
  return 1;
}

const VstTimeInfo* HostServices::CurrentTime() {
  time_ = VstTimeInfo{};
  time_.samplePos = samplePosition_;
  time_.sampleRate = sampleRate_;
  time_.tempo = kTempo;
  time_.ppqPos = samplePosition_ / sampleRate_ * kTempo / 60.0;
  time_.barStartPos = std::floor(time_.ppqPos / kBeatsPerBar) * kBeatsPerBar;
  time_.timeSigNumerator = kBeatsPerBar;
  time_.timeSigDenominator = 4;
  time_.flags = kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
  if (rendering_) time_.flags |= kVstTransportPlaying;
  return &time_;
}

void HostServices::BeginRendering() {
  rendering_ = true;
  samplePosition_ = 0.0;
}

void HostServices::EndRendering() { rendering_ = false; }

void HostServices::StartRecording() {
  const std::lock_guard<std::mutex> lock(recordMutex_);
  requests_.clear();
  recording_ = true;
}

std::vector<HostRequest> HostServices::StopRecording() {
  const std::lock_guard<std::mutex> lock(recordMutex_);
  recording_ = false;
  return std::exchange(requests_, {});
}

std::vector<HostRequest> HostServices::TakeRecorded() {
  const std::lock_guard<std::mutex> lock(recordMutex_);
  return std::exchange(requests_, {});
}

const char* HostServices::OpcodeName(int32_t opcode) {
  switch (opcode) {
    case audioMasterAutomate: return "audioMasterAutomate";
    case audioMasterVersion: return "audioMasterVersion";
    case audioMasterCurrentId: return "audioMasterCurrentId";
    case audioMasterIdle: return "audioMasterIdle";
    case audioMasterWantMidi: return "audioMasterWantMidi";
    case audioMasterGetTime: return "audioMasterGetTime";
    case audioMasterProcessEvents: return "audioMasterProcessEvents";
    case audioMasterIOChanged: return "audioMasterIOChanged";
    case audioMasterSizeWindow: return "audioMasterSizeWindow";
    case audioMasterGetSampleRate: return "audioMasterGetSampleRate";
    case audioMasterGetBlockSize: return "audioMasterGetBlockSize";
    case audioMasterGetInputLatency: return "audioMasterGetInputLatency";
    case audioMasterGetOutputLatency: return "audioMasterGetOutputLatency";
    case audioMasterGetCurrentProcessLevel: return "audioMasterGetCurrentProcessLevel";
    case audioMasterGetAutomationState: return "audioMasterGetAutomationState";
    case audioMasterGetVendorString: return "audioMasterGetVendorString";
    case audioMasterGetProductString: return "audioMasterGetProductString";
    case audioMasterGetVendorVersion: return "audioMasterGetVendorVersion";
    case audioMasterVendorSpecific: return "audioMasterVendorSpecific";
    case audioMasterCanDo: return "audioMasterCanDo";
    case audioMasterGetLanguage: return "audioMasterGetLanguage";
    case audioMasterGetDirectory: return "audioMasterGetDirectory";
    case audioMasterUpdateDisplay: return "audioMasterUpdateDisplay";
    case audioMasterBeginEdit: return "audioMasterBeginEdit";
    case audioMasterEndEdit: return "audioMasterEndEdit";
    default: return "unknown request";
  }
}
