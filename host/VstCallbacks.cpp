#include "host/VstCallbacks.h"

#include <algorithm>
#include <cmath>

#include "core/DenormalGuard.h"
#include "host/EffectVST.h"
#include "host/ExceptionBarrier.h"

namespace {
// How many of count channels are connected, asking connected(i) of each.
int CountConnected(const IEffectVST& plugin, int count,
                   bool (IEffectBase::*connected)(int) const) {
  int total = 0;
  for (int i = 0; i < count; ++i) total += (plugin.*connected)(i) ? 1 : 0;
  return total;
}

// The host buffer frames further on; a null buffer (no channel) stays null.
template <typename Sample>
Sample* Advance(Sample* buffer, int frames) {
  return buffer != nullptr ? buffer + frames : nullptr;
}

// Hands render() the host's block; a block longer than the announced block size (which
// the scratch buffers are sized to) goes in consecutive slices of at most that size.
template <typename Sample, typename Render>
void ProcessBlock(IEffectVST& plugin, Sample** inputs, Sample** outputs, int frames,
                  Render render) {
  const int block = plugin.BlockSize();
  if (frames <= block) {
    render(inputs, outputs, frames);
    return;
  }
  if (block <= 0) return;
  auto** sliceIn = reinterpret_cast<Sample**>(plugin.SliceInputs());
  auto** sliceOut = reinterpret_cast<Sample**>(plugin.SliceOutputs());
  const int ins = CountConnected(plugin, plugin.InputCount(), &IEffectBase::InputConnected);
  const int outs = CountConnected(plugin, plugin.OutputCount(), &IEffectBase::OutputConnected);
  for (int done = 0; done < frames; done += block) {
    for (int c = 0; c < ins; ++c) sliceIn[c] = Advance(inputs[c], done);
    for (int c = 0; c < outs; ++c) sliceOut[c] = Advance(outputs[c], done);
    render(sliceIn, sliceOut, std::min(block, frames - done));
  }
}

// The frame shared by the three audio callbacks: find the object, hold its mutex for the
// whole block, ask for MIDI when the plug-in handles it, then process without subnormal
// numbers, giving the host back its own floating-point mode afterwards.
template <typename Sample, typename Render>
void ProcessCallback(AEffect* effect, Sample** inputs, Sample** outputs, int32_t frames,
                     Render render) {
  IEffectVST* plugin = IEffectVST::FromDescriptor(effect);
  if (plugin == nullptr) return;
  IEffectLockGuard lock(plugin->Mutex());
  if (plugin->HandlesMidi()) plugin->RequestMidi();
  if (frames <= 0 || inputs == nullptr || outputs == nullptr) return;
  IDenormalGuard denormals;
  ProcessBlock(*plugin, inputs, outputs, frames,
               [&](Sample** in, Sample** out, int n) { render(*plugin, in, out, n); });
}

// What a replacing call leaves in the host's outputs when processing failed: silence.
template <typename Sample>
void SilenceOutputs(AEffect* effect, Sample** outputs, int32_t frames) {
  const IEffectVST* plugin = IEffectVST::FromDescriptor(effect);
  if (plugin == nullptr || outputs == nullptr || frames <= 0) return;
  const int outs = CountConnected(*plugin, plugin->OutputCount(), &IEffectBase::OutputConnected);
  for (int c = 0; c < outs; ++c) {
    if (outputs[c] != nullptr) std::fill_n(outputs[c], frames, Sample{0});
  }
}

void AccumulateFloat(IEffectVST& plugin, float** in, float** out, int n) {
  plugin.BindInputsConverted(plugin.InputCount(), in, n);
  plugin.BindOutputsConverted(plugin.OutputCount(), out);
  plugin.RunAndAddFloat(n);
}

void ReplaceFloat(IEffectVST& plugin, float** in, float** out, int n) {
  plugin.BindInputsConverted(plugin.InputCount(), in, n);
  plugin.BindOutputsConverted(plugin.OutputCount(), out);
  plugin.RunAndStoreFloat(n);
}

void ReplaceDouble(IEffectVST& plugin, double** in, double** out, int n) {
  plugin.BindInputs(plugin.InputCount(), in);
  plugin.BindOutputs(plugin.OutputCount(), out);
  plugin.RenderDouble(plugin.InputData(), plugin.OutputData(), n);
}

void SetParameter(AEffect* effect, int32_t index, float value) {
  IEffectVST* plugin = IEffectVST::FromDescriptor(effect);
  if (plugin == nullptr) return;
  IEffectLockGuard lock(plugin->Mutex());
  IEffectParameter* parameter = plugin->Parameter(index);
  // Interpolating hosts overshoot [0, 1] slightly; a NaN carries no value at all.
  if (parameter == nullptr || std::isnan(value)) return;
  const double normalised = std::clamp(static_cast<double>(value), 0.0, 1.0);
  if (IEditor* editor = plugin->Editor()) editor->ForwardParamToControls(index, normalised, true);
  parameter->SetFromNormalised(normalised);
  plugin->HandleParameterChange(index);
}

float GetParameter(AEffect* effect, int32_t index) {
  IEffectVST* plugin = IEffectVST::FromDescriptor(effect);
  if (plugin == nullptr) return 0.0f;
  IEffectLockGuard lock(plugin->Mutex());
  const IEffectParameter* parameter = plugin->Parameter(index);
  return parameter != nullptr ? static_cast<float>(parameter->NormalisedValue()) : 0.0f;
}
}  // namespace

// Accumulating into the host's outputs: a failed block adds nothing more.
void HostProcessAccumulate(AEffect* effect, float** inputs, float** outputs,
                           int32_t frames) noexcept {
  CallGuarded([&] { ProcessCallback(effect, inputs, outputs, frames, &AccumulateFloat); }, [] {});
}

void HostProcessFloat(AEffect* effect, float** inputs, float** outputs, int32_t frames) noexcept {
  CallGuarded([&] { ProcessCallback(effect, inputs, outputs, frames, &ReplaceFloat); },
              [&] { SilenceOutputs(effect, outputs, frames); });
}

void HostProcessDouble(AEffect* effect, double** inputs, double** outputs,
                       int32_t frames) noexcept {
  CallGuarded([&] { ProcessCallback(effect, inputs, outputs, frames, &ReplaceDouble); },
              [&] { SilenceOutputs(effect, outputs, frames); });
}

void HostSetParameter(AEffect* effect, int32_t index, float value) noexcept {
  CallGuarded([&] { SetParameter(effect, index, value); }, [] {});
}

float HostGetParameter(AEffect* effect, int32_t index) noexcept {
  return CallGuarded([&] { return GetParameter(effect, index); }, [] { return 0.0f; });
}
