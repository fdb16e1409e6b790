#include "tools/host/SampleQuantiser.h"

#include <sndfile.h>

#include <cmath>
#include <limits>

namespace {

int IntegerBitsOf(int subtype) {
  switch (subtype) {
    case SF_FORMAT_PCM_S8: case SF_FORMAT_PCM_U8: return 8;
    case SF_FORMAT_PCM_16: return 16;
    case SF_FORMAT_PCM_24: return 24;
    case SF_FORMAT_PCM_32: return 32;
    default: return 0;
  }
}

bool IsFloat(int subtype) { return subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE; }

}  // namespace

SampleQuantiser::SampleQuantiser(int subtype, Dither dither)
    : bits_(IntegerBitsOf(subtype)),
      clips_(!IsFloat(subtype)),
      dither_(dither),
      steps_(bits_ ? std::ldexp(1.0, bits_ - 1) : 0.0) {}

void SampleQuantiser::Apply(double* samples, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    double value = samples[i];
    Track(value);
    if (bits_) {
      if (dither_ == Dither::Triangular) value += (uniform_(random_) + uniform_(random_)) / steps_;
      value = Clip(std::nearbyint(value * steps_), -steps_, steps_ - 1.0) / steps_;
    } else if (clips_) {
      value = Clip(value, -1.0, 1.0);
    }
    samples[i] = value;
  }
}

double SampleQuantiser::PeakDb() const {
  return peak_ > 0.0 ? 20.0 * std::log10(peak_) : -std::numeric_limits<double>::infinity();
}

void SampleQuantiser::Track(double value) {
  const double magnitude = std::fabs(value);
  if (magnitude > peak_) peak_ = magnitude;
}

double SampleQuantiser::Clip(double value, double low, double high) {
  if (value >= low && value <= high) return value;
  ++clipped_;
  return value < low ? low : high;
}
