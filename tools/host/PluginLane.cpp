#include "tools/host/PluginLane.h"

#include <algorithm>

namespace {

template <typename Sample>
void MakeChannels(int count, int frames, std::vector<std::vector<Sample>>* buffers, std::vector<Sample*>* pointers) {
  buffers->assign(static_cast<size_t>(count), std::vector<Sample>(static_cast<size_t>(frames)));
  pointers->clear();
  for (auto& buffer : *buffers) pointers->push_back(buffer.data());
  if (pointers->empty()) pointers->push_back(nullptr);  // keeps data() valid for the callbacks
}

template <typename Sample>
void CopyOut(const std::vector<Sample>& output, int channel, double* result, int32_t frames) {
  for (int32_t i = 0; i < frames; ++i) result[2 * static_cast<size_t>(i) + static_cast<size_t>(channel)] = output[i];
}

}  // namespace

PluginLane::PluginLane(PluginModule& module, int blockSize, bool useDouble)
    : module_(module),
      useDouble_(useDouble),
      weights_(static_cast<size_t>(std::max(0, module.Effect().numInputs)), {0.0, 0.0}) {
  const int inputs = std::max(0, module.Effect().numInputs);
  const int outputs = std::max(0, module.Effect().numOutputs);
  if (useDouble_) {
    MakeChannels(inputs, blockSize, &inputs64_, &inputPointers64_);
    MakeChannels(outputs, blockSize, &outputs64_, &outputPointers64_);
  } else {
    MakeChannels(inputs, blockSize, &inputs32_, &inputPointers32_);
    MakeChannels(outputs, blockSize, &outputs32_, &outputPointers32_);
  }
}

bool PluginLane::CanProcess(std::string* error) const {
  const AEffect& effect = module_.Effect();
  if (effect.numOutputs <= 0) {
    *error = "the plug-in has no audio outputs";
    return false;
  }
  if (useDouble_ && (!(effect.flags & effFlagsCanDoubleReplacing) || !effect.processDoubleReplacing)) {
    *error = "the plug-in cannot process 64-bit samples (drop --double)";
    return false;
  }
  if (!useDouble_ && !effect.process && !((effect.flags & effFlagsCanReplacing) && effect.processReplacing)) {
    *error = "the plug-in offers no 32-bit process callback";
    return false;
  }
  return true;
}

template <typename Sample>
void PluginLane::Fill(const double* source, int32_t frames, std::vector<std::vector<Sample>>* inputs) const {
  for (size_t pin = 0; pin < inputs->size(); ++pin) {
    Sample* out = (*inputs)[pin].data();
    const double left = weights_[pin][0];
    const double right = weights_[pin][1];
    for (int32_t i = 0; i < frames; ++i) {
      const size_t at = 2 * static_cast<size_t>(i);
      out[i] = static_cast<Sample>(left * source[at] + right * source[at + 1]);
    }
  }
}

void PluginLane::Process(const double* source, int32_t frames) {
  AEffect& effect = module_.Effect();
  if (useDouble_) {
    Fill(source, frames, &inputs64_);
    effect.processDoubleReplacing(&effect, inputPointers64_.data(), outputPointers64_.data(), frames);
    return;
  }
  Fill(source, frames, &inputs32_);
  if ((effect.flags & effFlagsCanReplacing) && effect.processReplacing) {
    effect.processReplacing(&effect, inputPointers32_.data(), outputPointers32_.data(), frames);
  } else {
    // The accumulating callback adds to what the outputs hold.
    for (auto& channel : outputs32_) std::fill(channel.begin(), channel.end(), 0.0f);
    effect.process(&effect, inputPointers32_.data(), outputPointers32_.data(), frames);
  }
}

void PluginLane::Collect(int pin, int channel, double* result, int32_t frames) const {
  if (useDouble_) {
    CopyOut(outputs64_[static_cast<size_t>(pin)], channel, result, frames);
  } else {
    CopyOut(outputs32_[static_cast<size_t>(pin)], channel, result, frames);
  }
}
