#include "tools/host/Renderer.h"

#include <algorithm>
#include <cstdio>

#include "tools/host/HostServices.h"

namespace {

// Files are read and written this many frames at a time (rounded to whole blocks),
// whatever the block size: libsndfile's calls cost far more than a block of a few frames.
constexpr int kChunkFrames = 65536;

template <typename Sample>
void MakeChannels(int count, int frames, std::vector<std::vector<Sample>>* buffers, std::vector<Sample*>* pointers) {
  buffers->assign(static_cast<size_t>(count), std::vector<Sample>(static_cast<size_t>(frames)));
  pointers->clear();
  for (auto& buffer : *buffers) pointers->push_back(buffer.data());
  if (pointers->empty()) pointers->push_back(nullptr);  // keeps data() valid for the callbacks
}

// Spreads interleaved stereo over the plug-in's inputs: channels 0 and 1 from the source,
// the rest silent.
template <typename Sample>
void Deinterleave(const double* source, int32_t frames, std::vector<std::vector<Sample>>* inputs) {
  for (size_t channel = 0; channel < inputs->size(); ++channel) {
    Sample* out = (*inputs)[channel].data();
    for (int32_t i = 0; i < frames; ++i) {
      out[i] = channel < 2 ? static_cast<Sample>(source[2 * static_cast<size_t>(i) + channel]) : Sample(0);
    }
  }
}

// Collects the first two outputs (or the only one, twice) into interleaved stereo.
template <typename Sample>
void Interleave(const std::vector<std::vector<Sample>>& outputs, int32_t frames, double* result) {
  const Sample* left = outputs[0].data();
  const Sample* right = outputs[outputs.size() > 1 ? 1 : 0].data();
  for (int32_t i = 0; i < frames; ++i) {
    result[2 * static_cast<size_t>(i)] = left[i];
    result[2 * static_cast<size_t>(i) + 1] = right[i];
  }
}

}  // namespace

Renderer::Renderer(PluginModule& module, int blockSize, bool useDouble)
    : module_(module),
      blockSize_(blockSize),
      useDouble_(useDouble),
      inputCount_(std::max(0, module.Effect().numInputs)),
      outputCount_(std::max(0, module.Effect().numOutputs)) {
  // Whole blocks per chunk, so that only the last block of the stream is shorter.
  const size_t chunkFrames = static_cast<size_t>(std::max(1, kChunkFrames / blockSize_) * blockSize_);
  sourceChunk_.resize(2 * chunkFrames);
  resultChunk_.resize(2 * chunkFrames);
  if (useDouble_) {
    MakeChannels(inputCount_, blockSize_, &inputs64_, &inputPointers64_);
    MakeChannels(outputCount_, blockSize_, &outputs64_, &outputPointers64_);
  } else {
    MakeChannels(inputCount_, blockSize_, &inputs32_, &inputPointers32_);
    MakeChannels(outputCount_, blockSize_, &outputs32_, &outputPointers32_);
  }
}

bool Renderer::CanRender(std::string* error) const {
  const AEffect& effect = module_.Effect();
  if (outputCount_ == 0) {
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

void Renderer::Prepare(double sampleRate) {
  HostServices& host = HostServices::Instance();
  host.SetSampleRate(sampleRate);
  host.SetBlockSize(blockSize_);
  module_.Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  module_.Dispatch(effSetBlockSize, 0, blockSize_);
  module_.Dispatch(effSetProcessPrecision, 0, useDouble_ ? kVstProcessPrecision64 : kVstProcessPrecision32);
}

bool Renderer::Run(AudioSource& source, AudioFileWriter& sink, LevelMeter* input, LevelMeter* output,
                   bool showProgress, std::string* error) {
  HostServices& host = HostServices::Instance();
  module_.Dispatch(effMainsChanged, 0, 1);
  module_.Dispatch(effStartProcess);
  host.BeginRendering();
  const int64_t total = source.TotalFrames();
  const int64_t chunkFrames = static_cast<int64_t>(sourceChunk_.size() / 2);
  int64_t done = 0;
  int shownPercent = -1;
  bool written = true;
  for (;;) {
    const int64_t frames = source.Read(sourceChunk_.data(), chunkFrames);
    if (frames <= 0) break;
    input->Add(sourceChunk_.data(), frames);
    for (int64_t offset = 0; offset < frames; offset += blockSize_) {
      const auto blockFrames = static_cast<int32_t>(std::min<int64_t>(blockSize_, frames - offset));
      ProcessBlock(sourceChunk_.data() + 2 * offset, resultChunk_.data() + 2 * offset, blockFrames);
      host.AdvanceTransport(blockFrames);
    }
    if (!sink.Write(resultChunk_.data(), frames)) {
      written = false;
      break;
    }
    output->Add(resultChunk_.data(), frames);
    done += frames;
    if (showProgress) ShowProgress(done, total, &shownPercent);
  }
  if (showProgress) std::fprintf(stderr, "\r%*s\r", 16, "");
  host.EndRendering();
  module_.Dispatch(effStopProcess);
  module_.Dispatch(effMainsChanged, 0, 0);
  if (!written || !sink.Close()) {
    *error = sink.Failure();
    return false;
  }
  return true;
}

void Renderer::ProcessBlock(const double* source, double* result, int32_t frames) {
  AEffect& effect = module_.Effect();
  if (useDouble_) {
    Deinterleave(source, frames, &inputs64_);
    effect.processDoubleReplacing(&effect, inputPointers64_.data(), outputPointers64_.data(), frames);
    Interleave(outputs64_, frames, result);
    return;
  }
  Deinterleave(source, frames, &inputs32_);
  if ((effect.flags & effFlagsCanReplacing) && effect.processReplacing) {
    effect.processReplacing(&effect, inputPointers32_.data(), outputPointers32_.data(), frames);
  } else {
    // The accumulating callback adds to what the outputs hold.
    for (auto& channel : outputs32_) std::fill(channel.begin(), channel.end(), 0.0f);
    effect.process(&effect, inputPointers32_.data(), outputPointers32_.data(), frames);
  }
  Interleave(outputs32_, frames, result);
}

void Renderer::ShowProgress(int64_t done, int64_t total, int* shownPercent) const {
  if (total <= 0) return;
  const int percent = static_cast<int>(std::min<int64_t>(100, done * 100 / total));
  if (percent == *shownPercent) return;
  *shownPercent = percent;
  std::fprintf(stderr, "\rrendering %3d%%", percent);
  std::fflush(stderr);
}
