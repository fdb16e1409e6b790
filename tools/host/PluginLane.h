#pragma once
// One plug-in instance in a render: its input and output buffers, fed from interleaved
// stereo (each input pin a mix of the left and right channel, silent by default) and read
// back one output pin at a time.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/PluginModule.h"

class PluginLane {
 public:
  PluginLane(PluginModule& module, int blockSize, bool useDouble);

  PluginModule& Module() const { return module_; }
  bool UsesDouble() const { return useDouble_; }
  // False with a reason when the plug-in cannot take this kind of processing.
  bool CanProcess(std::string* error) const;
  // Input pin pin takes left times the left channel plus right times the right one.
  void Feed(int pin, double left, double right) { weights_[static_cast<size_t>(pin)] = {left, right}; }
  // Processes frames frames of interleaved stereo source.
  void Process(const double* source, int32_t frames);
  // Writes output pin pin of the last block into channel (0 or 1) of interleaved stereo.
  void Collect(int pin, int channel, double* result, int32_t frames) const;

 private:
  template <typename Sample>
  void Fill(const double* source, int32_t frames, std::vector<std::vector<Sample>>* inputs) const;

  PluginModule& module_;
  const bool useDouble_;
  std::vector<std::array<double, 2>> weights_;  // per input pin: of the left and the right channel
  std::vector<std::vector<double>> inputs64_, outputs64_;
  std::vector<std::vector<float>> inputs32_, outputs32_;
  std::vector<double*> inputPointers64_, outputPointers64_;
  std::vector<float*> inputPointers32_, outputPointers32_;
};
