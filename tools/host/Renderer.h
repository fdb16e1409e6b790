#pragma once
// Streams audio through opened plug-ins, one after the other, block by block, as a host does when it renders
// offline: sample rate and block size first, then activation, the blocks, deactivation.
// Files are read and written in large chunks whatever the block size; a mono source is
// heard in both channels. A plug-in with two or more inputs takes the left and right
// channel on its first two (further inputs get silence); one with a single input takes
// each channel through an instance of its own when given two instances, else the average
// of both. Its first two outputs (or its only one, twice) are written.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/host/AudioFile.h"
#include "tools/host/AudioSource.h"
#include "tools/host/LevelMeter.h"
#include "tools/host/MidiFeed.h"
#include "tools/host/PluginLane.h"
#include "tools/host/PluginModule.h"

class Renderer {
 public:
  // stages: the plug-ins of a chain in order, each as one instance, or as two of a plug-in
  // with a single input, one per channel.
  Renderer(const std::vector<std::vector<PluginModule*>>& stages, int blockSize, bool useDouble);

  // False with a reason when the plug-in cannot take this kind of processing.
  bool CanRender(std::string* error) const;
  // MIDI messages to send through effProcessEvents, each before the block it falls in.
  void SetMidi(std::unique_ptr<MidiFeed> feed) { midi_ = std::move(feed); }
  // Silence fed after the source so that what rings on is heard: frames of it.
  void SetTail(int64_t frames) { tailFrames_ = frames; }
  int64_t TailFrames() const { return tailFrames_; }
  // The frames the source gave in the last run.
  int64_t SourceFrames() const { return sourceFrames_; }
  // Whether the plug-in's latency (initialDelay, read once it has processed the first
  // chunk) is taken out: that many more frames of silence are fed and as many dropped from
  // the start.
  void SetLatencyCompensation(bool on) { compensateLatency_ = on; }
  // The latency of the chain (the sum of its plug-ins') in the last run, in frames, and
  // whether it was taken out.
  int64_t Latency() const { return latency_; }
  bool CompensatesLatency() const { return compensateLatency_; }
  // Tells the plug-ins (and the host callback) the sample rate and the block size.
  void Prepare(double sampleRate);
  // Renders the whole source (mono or stereo) into sink; levels of what went in and of
  // what was written are added to the meters. Progress goes to stderr when showProgress
  // is set.
  bool Run(AudioSource& source, AudioFileWriter& sink, LevelMeter* input, LevelMeter* output, bool showProgress,
           std::string* error);

 private:
  // Where a channel of the result comes from.
  struct OutputSource {
    size_t lane;
    int pin;
  };
  // One plug-in of the chain.
  struct Stage {
    std::vector<PluginLane> lanes;
    OutputSource outputSources[2] = {{0, 0}, {0, 0}};
  };

  static void Wire(Stage& stage);
  // Reads up to one chunk into sourceChunk_ as stereo, and after the source's end up to
  // silenceLeft frames of silence; the frames there are.
  int64_t ReadChunk(AudioSource& source, bool* sourceEnded, int64_t* silenceLeft);
  // start is the frame of the block from the beginning of the stream.
  void ProcessBlock(const double* source, double* result, int64_t start, int32_t frames);
  void ShowProgress(int64_t done, int64_t total, int* shownPercent) const;
  void DispatchAll(int32_t opcode, intptr_t value = 0);

  const int blockSize_;
  int64_t tailFrames_ = 0;
  bool compensateLatency_ = true;
  int64_t latency_ = 0;
  int64_t sourceFrames_ = 0;
  std::vector<Stage> stages_;
  std::vector<double> sourceChunk_;  // interleaved stereo, read from the source at once
  std::vector<double> resultChunk_;  // interleaved stereo, written to the file at once
  std::vector<double> monoChunk_;    // a mono source as read
  std::unique_ptr<MidiFeed> midi_;
};
