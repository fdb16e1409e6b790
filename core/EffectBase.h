#pragma once
// The host-independent plug-in object. It owns the parameters, presets, channel records
// and editor, the stream settings and the one recursive mutex that serialises the host's
// user-interface thread, its audio thread and the editor. A plug-in format adapter derives
// from it and implements the host-facing operations; the effect derives from the adapter.

#include <cstdint>

#include "core/ChannelRecords.h"
#include "core/EffectIdentity.h"
#include "core/EffectLockGuard.h"
#include "core/EffectParameter.h"
#include "core/EffectPreset.h"
#include "core/Editor.h"
#include "core/HostMessages.h"
#include "core/PointerList.h"
#include "core/StateChunk.h"

class IEffectBase {
 public:
  static constexpr int kNameSize = 128;

  explicit IEffectBase(const IEffectIdentity& identity);
  virtual ~IEffectBase();
  IEffectBase(const IEffectBase&) = delete;
  IEffectBase& operator=(const IEffectBase&) = delete;

  // Hooks for the effect, in the order hosts reach them.
  virtual void HandleReset();
  virtual void HandleParameterChange(int index);
  virtual void RenderDouble(double** inputs, double** outputs, int frames);
  virtual void RenderFloat(float** inputs, float** outputs, int frames);
  virtual void HandleEditorOpened() {}
  virtual void HandleEditorClosing() {}
  virtual void ReservedHookA() {}
  virtual void HandleActivation(bool active);
  virtual void HandleMidiMessage(const IMidiMessage& message) { EmitMidiMessage(message); }
  virtual void HandleSysEx(const ISysExMessage& /*message*/) {}
  virtual bool MidiNoteLabel(int note, char* name);
  virtual bool SaveState(IStateChunk& chunk) { return SerializeParams(chunk); }
  virtual int LoadState(const IStateChunk& chunk, int position) {
    return UnserializeParams(chunk, position);
  }
  virtual bool StateMatches(const double* values, int first) const;
  virtual void HandleEditorResized() {}
  virtual bool ReservedQuery() { return false; }
  virtual void HandleHostIdentified() {}
  virtual void HandleParameterContextClick(int /*index*/, int /*x*/, int /*y*/) {}
  virtual void SetParameterFromEditor(int index, double normalised);

  // Requests to the host, implemented by the format adapter.
  virtual void BeginParameterGesture(int index) = 0;
  virtual void ReportParameterValue(int index, double normalised) = 0;
  virtual void EndParameterGesture(int index) = 0;
  virtual void ReportPresetChange() = 0;
  virtual bool IsOfflinePass() { return false; }
  virtual int TransportSamplePosition() = 0;
  virtual double TransportTempo() = 0;
  virtual void TransportTimeSignature(int* numerator, int* denominator) = 0;
  virtual void TransportInfo(ITransportInfo* info) = 0;
  virtual int HostIdentity() { return hostIdentity_; }
  virtual int AdapterKind() const { return adapterKind_; }
  virtual void EditorResized(int width, int height) = 0;
  virtual void PrepareForHost() {}
  virtual void AttachEditor(IEditor* editor);
  virtual void ChangeLatency(int samples) { latency_ = samples; }
  virtual bool EmitMidiMessage(const IMidiMessage& message) = 0;
  virtual bool EmitSysEx(const ISysExMessage& /*message*/) { return false; }
  virtual void PushParametersToEditor();
  virtual void ReservedHookC() {}
  virtual void HandlePresetsChanged() {}
  virtual void ChangeBlockSize(int frames);

  // Identity.
  const char* EffectName() const { return effectName_; }
  const char* ProductName() const { return productName_; }
  const char* VendorName() const { return vendorName_; }
  int32_t UniqueID() const { return uniqueID_; }
  int32_t VendorID() const { return vendorID_; }
  int32_t Version() const { return version_; }
  int VersionDecimal() const;
  bool ManualPresetCapture() const { return manualPresetCapture_; }
  bool IsInstrument() const { return isInstrument_; }
  bool HandlesMidi() const { return handlesMidi_; }

  // Host.
  int StoredHostIdentity() const { return hostIdentity_; }
  int32_t HostVersion() const { return hostVersion_; }
  void StoreHostIdentity(int identity, int32_t version);

  // Stream settings.
  double SampleRate() const { return sampleRate_; }
  void SetSampleRate(double rate) { sampleRate_ = rate; }
  int BlockSize() const { return blockSize_; }
  int Latency() const { return latency_; }
  int TailSize() const { return tailSize_; }

  IEditor* Editor() const { return editor_; }
  IEffectMutex& Mutex() { return mutex_; }

  // Parameters.
  int ParameterCount() const { return parameters_.Count(); }
  IEffectParameter* Parameter(int index) const { return parameters_.Get(index); }
  void NotifyAllParameters();

  // Channels.
  int InputCount() const { return inputs_.Count(); }
  int OutputCount() const { return outputs_.Count(); }
  const char* InputLabel(int index) const;
  const char* OutputLabel(int index) const;
  bool LegalIO(int inputs, int outputs) const;
  int ChannelConfigCount() const { return configs_.Count(); }
  const IChannelConfig* ChannelConfig(int index) const { return configs_.Get(index); }
  void SetInputConnections(int first, int count, bool connected);
  void SetOutputConnections(int first, int count, bool connected);
  bool InputConnected(int index) const;
  bool OutputConnected(int index) const;

  // Audio plumbing for the format adapter's process callbacks.
  void BindInputs(int count, double** buffers);
  void BindInputsConverted(int count, float** buffers, int frames);
  void BindOutputs(int count, double** buffers);
  void BindOutputsConverted(int count, float** buffers);
  void RunAndStoreFloat(int frames);
  void RunAndAddFloat(int frames);
  double** InputData() const { return inputData_.As<double*>(); }
  double** OutputData() const { return outputData_.As<double*>(); }

  // Presets.
  int PresetCount() const { return presets_.Count(); }
  int CurrentPreset() const { return currentPreset_; }
  IEffectPreset* FirstFreePreset() const;
  // values holds one value per parameter, in parameter order.
  void AddPresetFromValues(const char* name, const double* values);
  void AddPresetsFromCurrentState(const char* name, int count);
  void NextUserPresetName(char* out) const;
  bool LoadPreset(int index);
  const char* PresetName(int index) const;
  bool PresetInitialised(int index) const;
  void ModifyCurrentPreset(const char* newName);

  // State.
  bool SerializeParams(IStateChunk& chunk);
  int UnserializeParams(const IStateChunk& chunk, int position);
  bool SerializePresets(IStateChunk& chunk);
  int UnserializePresets(const IStateChunk& chunk, int position);

 protected:
  void SetTailSize(int samples) { tailSize_ = samples; }

 private:
  void CreateChannels(int inputs, int outputs);
  void CapturePreset(IEffectPreset& preset);
  template <bool kAccumulate>
  void RunAndConvert(int frames);

  IPointerList<IChannelConfig> configs_;
  IEffectMutex mutex_;
  char effectName_[kNameSize] = "";
  char productName_[kNameSize] = "";
  char vendorName_[kNameSize] = "";
  int32_t uniqueID_;
  int32_t vendorID_;
  int32_t version_;
  int adapterKind_;
  int hostIdentity_ = -1;
  int32_t hostVersion_ = 0;
  bool manualPresetCapture_;
  bool isInstrument_;
  bool handlesMidi_;
  int currentPreset_ = 0;
  double sampleRate_ = 44100.0;
  int blockSize_ = 0;
  int latency_;
  int tailSize_ = 0;
  IEditor* editor_ = nullptr;
  IPointerList<IEffectParameter> parameters_;
  IPointerList<IEffectPreset> presets_;
  IHeapBuffer inputData_;
  IHeapBuffer outputData_;
  IPointerList<IInputChannel> inputs_;
  IPointerList<IOutputChannel> outputs_;
};
