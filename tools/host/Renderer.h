#pragma once
// Streams audio through an opened plug-in block by block, as a host does when it renders
// offline: sample rate and block size first, then activation, the blocks, deactivation.
// Files are read and written in large chunks whatever the block size.
// The first two channels of the source feed the plug-in's first two inputs (further
// inputs get silence); its first two outputs (or its only one, twice) are written.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/AudioFile.h"
#include "tools/host/AudioSource.h"
#include "tools/host/LevelMeter.h"
#include "tools/host/PluginModule.h"

class Renderer {
 public:
  Renderer(PluginModule& module, int blockSize, bool useDouble);

  // False with a reason when the plug-in cannot take this kind of processing.
  bool CanRender(std::string* error) const;
  // Tells the plug-in (and the host callback) the sample rate and the block size.
  void Prepare(double sampleRate);
  // Renders the whole source into sink; levels of what went in and of what was written
  // are added to the meters. Progress goes to stderr when showProgress is set.
  bool Run(AudioSource& source, AudioFileWriter& sink, LevelMeter* input, LevelMeter* output, bool showProgress,
           std::string* error);

 private:
  // Processes frames of interleaved stereo source into interleaved stereo result.
  void ProcessBlock(const double* source, double* result, int32_t frames);
  void ShowProgress(int64_t done, int64_t total, int* shownPercent) const;

  PluginModule& module_;
  const int blockSize_;
  const bool useDouble_;
  const int inputCount_;
  const int outputCount_;
  std::vector<double> sourceChunk_;  // interleaved stereo, read from the source at once
  std::vector<double> resultChunk_;  // interleaved stereo, written to the file at once
  std::vector<std::vector<double>> inputs64_, outputs64_;
  std::vector<std::vector<float>> inputs32_, outputs32_;
  std::vector<double*> inputPointers64_, outputPointers64_;
  std::vector<float*> inputPointers32_, outputPointers32_;
};
