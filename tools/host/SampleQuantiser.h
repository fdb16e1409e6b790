#pragma once
// Turns rendered samples into the values an output encoding holds, so that what is
// measured is what is written: integer encodings are rounded to their steps (after
// triangular dither, when asked for) and clipped to their range; float encodings keep
// every value, beyond full scale too; other encodings (compressed ones) are clipped at
// full scale. Clipped samples are counted and the peak before clipping is kept.

#include <cstddef>
#include <cstdint>
#include <random>

class SampleQuantiser {
 public:
  enum class Dither { None, Triangular };

  // subtype is libsndfile's sample encoding (SF_FORMAT_PCM_16, SF_FORMAT_FLOAT, ...).
  SampleQuantiser(int subtype, Dither dither);

  // Quantises count samples in place.
  void Apply(double* samples, size_t count);
  // The bits of an integer encoding, 0 for the others.
  int IntegerBits() const { return bits_; }
  // For an integer encoding: the sample as a 32-bit value with the encoding's bits at
  // the top, as libsndfile takes integers for every width.
  static int32_t ToInt32(double quantised) { return static_cast<int32_t>(quantised * 2147483648.0); }

  int64_t ClippedSamples() const { return clipped_; }
  // The largest magnitude before clipping, in dB relative to full scale.
  double PeakDb() const;

 private:
  void Track(double value);
  double Clip(double value, double low, double high);

  const int bits_;
  const bool clips_;
  const Dither dither_;
  const double steps_;  // steps per unit of full scale: 2^(bits - 1)
  std::mt19937 random_{1};  // a fixed seed keeps dithered renders repeatable
  std::uniform_real_distribution<double> uniform_{-0.5, 0.5};
  int64_t clipped_ = 0;
  double peak_ = 0.0;
};
