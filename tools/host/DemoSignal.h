#pragma once
// The built-in stereo demo signal: a few seconds with different content in the centre
// (a low tone with its octave, equal in both channels) and in the sides (a higher tone
// in opposite phase), faded in and out so that it starts and ends without a click.

#include "tools/host/AudioSource.h"

class DemoSignal : public AudioSource {
 public:
  static constexpr double kSampleRate = 48000.0;
  static constexpr double kSeconds = 4.0;

  int Channels() const override { return 2; }
  double SampleRate() const override { return kSampleRate; }
  int64_t TotalFrames() const override;
  int64_t Read(double* interleaved, int64_t frames) override;

 private:
  int64_t position_ = 0;
};
