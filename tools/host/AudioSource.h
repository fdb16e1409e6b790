#pragma once
// Where rendered audio comes from: a file or the built-in demo signal. Samples are
// interleaved doubles at full scale 1.0.

#include <cstdint>

class AudioSource {
 public:
  virtual ~AudioSource() = default;
  virtual int Channels() const = 0;
  virtual double SampleRate() const = 0;
  // -1 when not known beforehand (a pipe).
  virtual int64_t TotalFrames() const = 0;
  // Reads up to frames frames into interleaved; returns the number read (0 at the end).
  virtual int64_t Read(double* interleaved, int64_t frames) = 0;
};
