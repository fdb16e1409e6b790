#include "core/EffectBase.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/LocalTimeStamp.h"
#include "core/PlugTrace.h"
#include "core/SampleLoops.h"
#include "core/TextField.h"

namespace {
constexpr int kPointerSize = static_cast<int>(sizeof(double*));
constexpr int kSampleSize = static_cast<int>(sizeof(double));

// Points a channel's data slot at its scratch, or at null while the scratch is empty.
template <typename Channel>
void AimAtScratch(Channel& channel) {
  *channel.dataSlot = ScratchSamples(channel.scratch);
}

void ZeroScratch(IHeapBuffer& scratch) {
  if (scratch.ByteCount() > 0) {
    std::memset(scratch.Bytes(), 0, static_cast<size_t>(scratch.ByteCount()));
  }
}

// Points a channel at its scratch, zeroed: an input then reads silence.
template <typename Channel>
void AimAtSilence(Channel& channel) {
  ZeroScratch(channel.scratch);
  AimAtScratch(channel);
}

template <typename Channel>
void SetConnections(IPointerList<Channel>& channels, int first, int count, bool connected) {
  const int end = static_cast<int>(std::min<int64_t>(int64_t{first} + count, channels.Count()));
  for (int i = std::max(first, 0); i < end; ++i) {
    Channel& channel = *channels.Get(i);
    channel.connected = connected;
    // The scratch may still hold samples widened while the channel was connected.
    if (!connected) AimAtSilence(channel);
  }
}

// Resizes a scratch to frames samples, all zero; returns how many samples it now holds.
int ResizeScratch(IHeapBuffer& scratch, int frames) {
  scratch.SetByteSize(static_cast<int>(std::min<int64_t>(int64_t{frames} * kSampleSize, INT32_MAX)),
                      true);
  ZeroScratch(scratch);
  return scratch.ByteCount() / kSampleSize;
}
// Copies min(inputs, outputs) channels and zero-fills the other outputs.
template <typename Sample>
void PassThrough(Sample** inputs, Sample** outputs, int frames, int inputCount, int outputCount) {
  if (frames <= 0) return;
  const int copies = std::min(inputCount, outputCount);
  const size_t bytes = static_cast<size_t>(frames) * sizeof(Sample);
  for (int j = 0; j < outputCount; ++j) {
    if (j < copies) {
      std::memmove(outputs[j], inputs[j], bytes);
    } else {
      std::memset(outputs[j], 0, bytes);
    }
  }
}

}  // namespace

IEffectBase::IEffectBase(const IEffectIdentity& identity)
    : uniqueID_(identity.uniqueID),
      vendorID_(identity.vendorID),
      version_(identity.version),
      adapterKind_(identity.adapterKind),
      manualPresetCapture_(identity.manualPresetCapture),
      isInstrument_(identity.isInstrument),
      handlesMidi_(identity.handlesMidi),
      latency_(identity.latency) {
  PlugTrace("IEffectBase::IEffectBase", __LINE__, "%s:%s", identity.effectName, LocalTimeStamp());
  for (int i = 0; i < identity.parameterCount; ++i) parameters_.Append(new IEffectParameter);
  for (int i = 0; i < identity.presetCount; ++i) presets_.Append(new IEffectPreset);
  CopyField(effectName_, kNameSize, identity.effectName);
  CopyField(productName_, kNameSize, identity.productName);
  CopyField(vendorName_, kNameSize, identity.vendorName);
  int maxInputs = 0;
  int maxOutputs = 0;
  ParseChannelConfigs(identity.channelIO, configs_, &maxInputs, &maxOutputs);
  CreateChannels(maxInputs, maxOutputs);
}

void IEffectBase::CreateChannels(int inputs, int outputs) {
  inputData_.ResizeZeroFill(inputs * kPointerSize);
  outputData_.ResizeZeroFill(outputs * kPointerSize);
  for (int i = 0; i < inputs; ++i) {
    auto* channel = new IInputChannel;
    channel->dataSlot = &InputData()[i];
    inputs_.Append(channel);
  }
  for (int i = 0; i < outputs; ++i) {
    auto* channel = new IOutputChannel;
    channel->dataSlot = &OutputData()[i];
    outputs_.Append(channel);
  }
}

IEffectBase::~IEffectBase() {
  delete editor_;
  editor_ = nullptr;
  parameters_.DeleteAll();
  presets_.DeleteAll();
  inputs_.DeleteAll();
  outputs_.DeleteAll();
  configs_.DeleteAll();
}

void IEffectBase::HandleReset() { IEffectLockGuard lock(mutex_); }

void IEffectBase::HandleParameterChange(int /*index*/) { IEffectLockGuard lock(mutex_); }

void IEffectBase::HandleActivation(bool /*active*/) { IEffectLockGuard lock(mutex_); }

void IEffectBase::RenderDouble(double** inputs, double** outputs, int frames) {
  PassThrough(inputs, outputs, frames, InputCount(), OutputCount());
}

void IEffectBase::RenderFloat(float** inputs, float** outputs, int frames) {
  PassThrough(inputs, outputs, frames, InputCount(), OutputCount());
}

bool IEffectBase::MidiNoteLabel(int /*note*/, char* name) {
  name[0] = '\0';
  return false;
}

bool IEffectBase::StateMatches(const double* values, int first) const {
  for (int i = 0; i < ParameterCount(); ++i) {
    const float stored = static_cast<float>(values[first + i]);
    const float live = static_cast<float>(Parameter(i)->PlainValue());
    if (!(std::abs(live - stored) < 0.00001f)) return false;
  }
  return true;
}

void IEffectBase::SetParameterFromEditor(int index, double normalised) {
  IEffectLockGuard lock(mutex_);
  IEffectParameter* parameter = Parameter(index);
  if (parameter == nullptr) return;
  parameter->SetFromNormalised(normalised);
  ReportParameterValue(index, normalised);
  HandleParameterChange(index);
}

void IEffectBase::AttachEditor(IEditor* editor) {
  if (editor == nullptr) return;
  IEffectLockGuard lock(mutex_);
  for (int i = 0; i < ParameterCount(); ++i) {
    editor->ForwardParamToControls(i, Parameter(i)->NormalisedValue(), true);
  }
  editor->PrepareSurfaces();
  if (editor_ != editor) delete editor_;
  editor_ = editor;
}

void IEffectBase::PushParametersToEditor() {
  if (editor_ == nullptr) return;
  for (int i = 0; i < ParameterCount(); ++i) {
    editor_->ForwardParamToControls(i, Parameter(i)->PlainValue(), false);
  }
}

void IEffectBase::ChangeBlockSize(int frames) {
  if (frames == blockSize_) return;
  // A scratch that could not grow limits the block size to what all of them hold.
  int held = std::max(frames, 0);
  for (int i = 0; i < InputCount(); ++i) held = std::min(held, ResizeScratch(inputs_.Get(i)->scratch, frames));
  for (int i = 0; i < OutputCount(); ++i) held = std::min(held, ResizeScratch(outputs_.Get(i)->scratch, frames));
  for (int i = 0; i < InputCount(); ++i) {
    if (!inputs_.Get(i)->connected) AimAtScratch(*inputs_.Get(i));
  }
  for (int i = 0; i < OutputCount(); ++i) {
    if (!outputs_.Get(i)->connected) AimAtScratch(*outputs_.Get(i));
  }
  blockSize_ = held;
}

int IEffectBase::VersionDecimal() const {
  const auto packed = static_cast<uint32_t>(version_);
  const int major = static_cast<int>(packed >> 16);
  const int minor = static_cast<int>((packed >> 8) & 0xFF);
  const int patch = static_cast<int>(packed & 0xFF);
  return (major * 100 + minor) * 100 + patch;
}

void IEffectBase::StoreHostIdentity(int identity, int32_t version) {
  hostIdentity_ = identity;
  hostVersion_ = version;
}

void IEffectBase::NotifyAllParameters() {
  for (int i = 0; i < ParameterCount(); ++i) HandleParameterChange(i);
}

const char* IEffectBase::InputLabel(int index) const {
  const IInputChannel* channel = inputs_.Get(index);
  return channel != nullptr ? channel->label.Text() : "";
}

const char* IEffectBase::OutputLabel(int index) const {
  const IOutputChannel* channel = outputs_.Get(index);
  return channel != nullptr ? channel->label.Text() : "";
}

bool IEffectBase::LegalIO(int inputs, int outputs) const {
  bool legal = false;
  for (int i = 0; i < configs_.Count() && !legal; ++i) {
    const IChannelConfig* config = configs_.Get(i);
    legal = (inputs == -1 || config->inputs == inputs) &&
            (outputs == -1 || config->outputs == outputs);
  }
  PlugTrace("IEffectBase::LegalIO", __LINE__, "%d:%d:%s", inputs, outputs,
            legal ? "legal" : "illegal");
  return legal;
}

void IEffectBase::SetInputConnections(int first, int count, bool connected) {
  SetConnections(inputs_, first, count, connected);
}

void IEffectBase::SetOutputConnections(int first, int count, bool connected) {
  SetConnections(outputs_, first, count, connected);
}

bool IEffectBase::InputConnected(int index) const {
  const IInputChannel* channel = inputs_.Get(index);
  return channel != nullptr && channel->connected;
}

bool IEffectBase::OutputConnected(int index) const {
  const IOutputChannel* channel = outputs_.Get(index);
  return channel != nullptr && channel->connected;
}

// A null host buffer stands for a channel the host left unconnected for this block: the
// input reads silence, the output's result goes to its scratch.

void IEffectBase::BindInputs(int count, double** buffers) {
  const int channels = std::min(count, InputCount());
  for (int i = 0, k = 0; i < channels; ++i) {
    IInputChannel& channel = *inputs_.Get(i);
    if (!channel.connected) continue;
    double* host = buffers[k++];
    if (host != nullptr) {
      *channel.dataSlot = host;
    } else {
      AimAtSilence(channel);
    }
  }
}

void IEffectBase::BindInputsConverted(int count, float** buffers, int frames) {
  const int channels = std::min(count, InputCount());
  for (int i = 0, k = 0; i < channels; ++i) {
    IInputChannel& channel = *inputs_.Get(i);
    if (!channel.connected) continue;
    const float* host = buffers[k++];
    if (host != nullptr) {
      WidenSamples(host, ScratchSamples(channel.scratch), frames);
      AimAtScratch(channel);
    } else {
      AimAtSilence(channel);
    }
  }
}

void IEffectBase::BindOutputs(int count, double** buffers) {
  const int channels = std::min(count, OutputCount());
  for (int i = 0, k = 0; i < channels; ++i) {
    IOutputChannel& channel = *outputs_.Get(i);
    if (!channel.connected) continue;
    double* host = buffers[k++];
    if (host != nullptr) {
      *channel.dataSlot = host;
    } else {
      AimAtScratch(channel);
    }
  }
}

void IEffectBase::BindOutputsConverted(int count, float** buffers) {
  const int channels = std::min(count, OutputCount());
  for (int i = 0, k = 0; i < channels; ++i) {
    IOutputChannel& channel = *outputs_.Get(i);
    if (!channel.connected) continue;
    AimAtScratch(channel);
    channel.hostFloatBuffer = buffers[k++];
  }
}

template <bool kAccumulate>
void IEffectBase::RunAndConvert(int frames) {
  RenderDouble(InputData(), OutputData(), frames);
  for (int i = 0; i < OutputCount(); ++i) {
    const IOutputChannel& channel = *outputs_.Get(i);
    if (!channel.connected || channel.hostFloatBuffer == nullptr) continue;
    if (kAccumulate) {
      AddSamples(*channel.dataSlot, channel.hostFloatBuffer, frames);
    } else {
      StoreSamples(*channel.dataSlot, channel.hostFloatBuffer, frames);
    }
  }
}

void IEffectBase::RunAndStoreFloat(int frames) { RunAndConvert<false>(frames); }

void IEffectBase::RunAndAddFloat(int frames) { RunAndConvert<true>(frames); }
