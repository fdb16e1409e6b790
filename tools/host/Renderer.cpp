#include "tools/host/Renderer.h"

#include <algorithm>
#include <cstdio>

#include "tools/host/HostServices.h"

namespace {

// Files are read and written this many frames at a time (rounded to whole blocks),
// whatever the block size: libsndfile's calls cost far more than a block of a few frames.
constexpr int kChunkFrames = 65536;

}  // namespace

Renderer::Renderer(const std::vector<std::vector<PluginModule*>>& stages, int blockSize, bool useDouble)
    : blockSize_(blockSize), stages_(stages.size()) {
  for (size_t i = 0; i < stages.size(); ++i) {
    for (PluginModule* module : stages[i]) stages_[i].lanes.emplace_back(*module, blockSize, useDouble);
    Wire(stages_[i]);
  }
  // Whole blocks per chunk, so that only the last block of the stream is shorter.
  const size_t chunkFrames = static_cast<size_t>(std::max(1, kChunkFrames / blockSize_) * blockSize_);
  sourceChunk_.resize(2 * chunkFrames);
  resultChunk_.resize(2 * chunkFrames);
}

void Renderer::Wire(Stage& stage) {
  std::vector<PluginLane>& lanes = stage.lanes;
  const AEffect& effect = lanes[0].Module().Effect();
  stage.outputSources[1] = {0, effect.numOutputs > 1 ? 1 : 0};
  if (lanes.size() == 2) {
    lanes[0].Feed(0, 1.0, 0.0);
    lanes[1].Feed(0, 0.0, 1.0);
    stage.outputSources[1] = {1, 0};
  } else if (effect.numInputs == 1) {
    lanes[0].Feed(0, 0.5, 0.5);
  } else if (effect.numInputs >= 2) {
    lanes[0].Feed(0, 1.0, 0.0);
    lanes[0].Feed(1, 0.0, 1.0);
  }
}

bool Renderer::CanRender(std::string* error) const {
  for (const Stage& stage : stages_) {
    if (!stage.lanes[0].CanProcess(error)) return false;
  }
  return true;
}

void Renderer::Prepare(double sampleRate) {
  HostServices& host = HostServices::Instance();
  host.SetSampleRate(sampleRate);
  host.SetBlockSize(blockSize_);
  for (const Stage& stage : stages_) {
    for (const PluginLane& lane : stage.lanes) {
      PluginModule& module = lane.Module();
      module.Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
      module.Dispatch(effSetBlockSize, 0, blockSize_);
      module.Dispatch(effSetProcessPrecision, 0,
                      lane.UsesDouble() ? kVstProcessPrecision64 : kVstProcessPrecision32);
    }
  }
}

void Renderer::DispatchAll(int32_t opcode, intptr_t value) {
  for (const Stage& stage : stages_) {
    for (const PluginLane& lane : stage.lanes) lane.Module().Dispatch(opcode, 0, value);
  }
}

int64_t Renderer::ReadChunk(AudioSource& source, bool* sourceEnded, int64_t* silenceLeft) {
  const int64_t chunkFrames = static_cast<int64_t>(sourceChunk_.size() / 2);
  int64_t frames = 0;
  if (!*sourceEnded && source.Channels() == 2) {
    frames = source.Read(sourceChunk_.data(), chunkFrames);
  } else if (!*sourceEnded) {
    monoChunk_.resize(static_cast<size_t>(chunkFrames));
    frames = source.Read(monoChunk_.data(), chunkFrames);
    for (int64_t i = 0; i < frames; ++i) sourceChunk_[2 * i] = sourceChunk_[2 * i + 1] = monoChunk_[i];
  }
  if (frames > 0) return frames;
  *sourceEnded = true;
  frames = std::min(chunkFrames, *silenceLeft);
  std::fill(sourceChunk_.begin(), sourceChunk_.begin() + 2 * frames, 0.0);
  *silenceLeft -= frames;
  return frames;
}

bool Renderer::Run(AudioSource& source, AudioFileWriter& sink, LevelMeter* input, LevelMeter* output,
                   bool showProgress, std::string* error) {
  HostServices& host = HostServices::Instance();
  DispatchAll(effMainsChanged, 1);
  DispatchAll(effStartProcess);
  host.BeginRendering();
  int64_t toDrop = 0;
  int64_t silenceLeft = tailFrames_;
  sourceFrames_ = 0;
  const int64_t total = source.TotalFrames() + silenceLeft;
  bool sourceEnded = false;
  int64_t done = 0;
  int shownPercent = -1;
  bool written = true;
  for (;;) {
    const int64_t frames = ReadChunk(source, &sourceEnded, &silenceLeft);
    if (frames <= 0) break;
    if (!sourceEnded) {
      input->Add(sourceChunk_.data(), frames);
      sourceFrames_ += frames;
    }
    for (int64_t offset = 0; offset < frames; offset += blockSize_) {
      const auto blockFrames = static_cast<int32_t>(std::min<int64_t>(blockSize_, frames - offset));
      ProcessBlock(sourceChunk_.data() + 2 * offset, resultChunk_.data() + 2 * offset, done + offset,
                   blockFrames);
      host.AdvanceTransport(blockFrames);
    }
    // Some plug-ins know their latency only once they have processed audio.
    if (done == 0) {
      latency_ = 0;
      for (const Stage& stage : stages_) latency_ += std::max(0, stage.lanes[0].Module().Effect().initialDelay);
      toDrop = compensateLatency_ ? latency_ : 0;
      silenceLeft += toDrop;
    }
    // The first frames of a late plug-in's output belong before the start of the input.
    const int64_t dropped = std::min(toDrop, frames);
    toDrop -= dropped;
    double* kept = resultChunk_.data() + 2 * dropped;
    if (!sink.Write(kept, frames - dropped)) {
      written = false;
      break;
    }
    output->Add(kept, frames - dropped);
    done += frames;
    if (showProgress) ShowProgress(done, total, &shownPercent);
  }
  if (showProgress) std::fprintf(stderr, "\r%*s\r", 16, "");
  host.EndRendering();
  DispatchAll(effStopProcess);
  DispatchAll(effMainsChanged, 0);
  if (!written || !sink.Close()) {
    *error = sink.Failure();
    return false;
  }
  return true;
}

void Renderer::ProcessBlock(const double* source, double* result, int64_t start, int32_t frames) {
  if (VstEvents* events = midi_ ? midi_->EventsFor(start, frames) : nullptr) {
    for (PluginLane& lane : stages_[0].lanes) lane.Module().Dispatch(effProcessEvents, 0, 0, events);
  }
  // Each stage reads the block into its plug-in's own buffers before writing its result
  // over it, so the next stage can take that result from the same place.
  for (Stage& stage : stages_) {
    for (PluginLane& lane : stage.lanes) lane.Process(source, frames);
    for (int channel = 0; channel < 2; ++channel) {
      const OutputSource& from = stage.outputSources[channel];
      stage.lanes[from.lane].Collect(from.pin, channel, result, frames);
    }
    source = result;
  }
}

void Renderer::ShowProgress(int64_t done, int64_t total, int* shownPercent) const {
  if (total <= 0) return;
  const int percent = static_cast<int>(std::min<int64_t>(100, done * 100 / total));
  if (percent == *shownPercent) return;
  *shownPercent = percent;
  std::fprintf(stderr, "\rrendering %3d%%", percent);
  std::fflush(stderr);
}
