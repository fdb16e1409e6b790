#pragma once
// RMS levels of the centre (mid = (L + R) / 2) and sides (side = (L - R) / 2) of a stereo
// signal, in dB relative to full scale. A signal in one channel only measures the same
// in both; silence measures -inf.

#include <cstdint>

class LevelMeter {
 public:
  // Adds frames frames of interleaved stereo samples.
  void Add(const double* interleaved, int64_t frames);
  double MidDb() const { return LevelDb(midSquares_); }
  double SideDb() const { return LevelDb(sideSquares_); }

 private:
  double LevelDb(double squares) const;

  double midSquares_ = 0.0;
  double sideSquares_ = 0.0;
  int64_t frames_ = 0;
};
