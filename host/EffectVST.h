#pragma once
// Adapts the host-independent plug-in object to the VST 2.4 interface: owns the AEffect
// descriptor the host holds, the chunks handed to the host, the speaker arrangements, and
// sends the plug-in's requests through the host callback.

#include "core/EffectBase.h"
#include "host/Vst2.h"

class IEffectVST : public IEffectBase {
 public:
  static constexpr int kDefaultBlockSize = 1024;

  IEffectVST(audioMasterCallback host, const IEffectIdentity& identity);
  ~IEffectVST() override = default;

  // The plug-in object behind a descriptor, or null.
  static IEffectVST* FromDescriptor(AEffect* effect);
  AEffect* Descriptor() { return &descriptor_; }
  // Host-facing channel counts may change once the host is known.
  void PublishChannelCounts();
  // Tells the host, once per block, that the plug-in wants MIDI.
  void RequestMidi() { CallHost(audioMasterWantMidi); }

  void BeginParameterGesture(int index) override;
  void ReportParameterValue(int index, double normalised) override;
  void EndParameterGesture(int index) override;
  void ReportPresetChange() override;
  bool IsOfflinePass() override;
  int TransportSamplePosition() override;
  double TransportTempo() override;
  void TransportTimeSignature(int* numerator, int* denominator) override;
  void TransportInfo(ITransportInfo* info) override;
  int HostIdentity() override;
  void EditorResized(int width, int height) override;
  void PrepareForHost() override;
  void AttachEditor(IEditor* editor) override;
  void ChangeLatency(int samples) override;
  bool EmitMidiMessage(const IMidiMessage& message) override;
  bool EmitSysEx(const ISysExMessage& message) override;

  ERect* EditorRect() { return &editorRect_; }
  VstSpeakerArrangement* InputArrangement() { return &inputArrangement_; }
  VstSpeakerArrangement* OutputArrangement() { return &outputArrangement_; }
  int HostExtensionFlags() const { return hostExtensionFlags_; }
  void AddHostExtensionFlag(int bit) { hostExtensionFlags_ |= bit; }
  IStateChunk& ProgramChunk() { return programChunk_; }
  IStateChunk& BankChunk() { return bankChunk_; }
  // Pointer arrays sized to the channel counts, for processing host blocks in slices.
  void** SliceInputs() { return sliceInputs_.As<void*>(); }
  void** SliceOutputs() { return sliceOutputs_.As<void*>(); }

 private:
  intptr_t CallHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f);
  const VstTimeInfo* HostTime(int32_t mask);
  void RefreshEditorRect();
  bool SendEvent(VstEvent* event);

  ERect editorRect_{};
  audioMasterCallback host_;
  VstSpeakerArrangement inputArrangement_{};
  VstSpeakerArrangement outputArrangement_{};
  bool hostSetUpDone_ = false;
  int hostExtensionFlags_ = 0;
  IStateChunk programChunk_;
  IStateChunk bankChunk_;
  IHeapBuffer sliceInputs_;
  IHeapBuffer sliceOutputs_;
  AEffect descriptor_{};
};
