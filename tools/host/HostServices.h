#pragma once
// The host side of the VST 2.4 callback: what tessaly-host answers when a plug-in asks
// about its host (version, names, sample rate, block size, process level, transport),
// and an optional record of the requests received. The callback carries no host context,
// so one process-wide instance serves every plug-in of a run. Editors may call from threads
// of their own, so the record is guarded by a mutex.

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "host/Vst2.h"

// One request that a plug-in sent to the host, with the host's answer.
struct HostRequest {
  int32_t opcode = 0;
  int32_t index = 0;
  intptr_t value = 0;
  float opt = 0.0f;
  intptr_t answer = 0;
  std::string text;  // the question of a capability request, or the text handed back
};

class HostServices {
 public:
  static constexpr const char* kProductString = "tessaly-host";
  static constexpr const char* kVendorString = "Tessaly";
  static constexpr int32_t kVendorVersion = 10000;  // 1.0.0
  static constexpr int32_t kVstVersion = 2400;
  static constexpr double kTempo = 120.0;

  static HostServices& Instance();
  // The function handed to the plug-in's entry point.
  static intptr_t Callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

  intptr_t Answer(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

  void SetSampleRate(double rate) { sampleRate_ = rate; }
  void SetBlockSize(int32_t frames) { blockSize_ = frames; }
  // The folder of the module being loaded, the answer to audioMasterGetDirectory while its
  // plug-in is created; KeepModuleDirectory then ties it to that plug-in, so that each
  // plug-in of a chain is told its own folder.
  void SetModuleDirectory(const std::string& directory) { moduleDirectory_ = directory; }
  void KeepModuleDirectory(const AEffect* effect) { directories_[effect] = moduleDirectory_; }
  double SampleRate() const { return sampleRate_; }
  int32_t BlockSize() const { return blockSize_; }

  // While rendering the process level is offline and the transport plays from frame 0.
  void BeginRendering();
  void AdvanceTransport(int32_t frames) { samplePosition_ += frames; }
  void EndRendering();

  void StartRecording();
  std::vector<HostRequest> StopRecording();
  // The requests recorded since recording started or since the last call; recording goes on.
  std::vector<HostRequest> TakeRecorded();

  // The name of a host opcode, for people ("audioMasterGetTime").
  static const char* OpcodeName(int32_t opcode);

 private:
  intptr_t AnswerRequest(AEffect* effect, int32_t opcode, void* ptr, HostRequest* request);
  const VstTimeInfo* CurrentTime();
  static intptr_t CopyText(void* ptr, const char* text, HostRequest* request);

  double sampleRate_ = 44100.0;
  int32_t blockSize_ = 512;
  bool rendering_ = false;
  double samplePosition_ = 0.0;
  std::string moduleDirectory_;
  std::map<const AEffect*, std::string> directories_;
  VstTimeInfo time_{};
  std::mutex recordMutex_;
  bool recording_ = false;
  std::vector<HostRequest> requests_;
};
