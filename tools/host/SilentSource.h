#pragma once
// Stereo silence of a given length, the audio input of an instrument played from MIDI.

#include "tools/host/AudioSource.h"

class SilentSource : public AudioSource {
 public:
  SilentSource(double sampleRate, int64_t frames) : sampleRate_(sampleRate), frames_(frames) {}

  int Channels() const override { return 2; }
  double SampleRate() const override { return sampleRate_; }
  int64_t TotalFrames() const override { return frames_; }
  int64_t Read(double* interleaved, int64_t frames) override;

 private:
  double sampleRate_;
  int64_t frames_;
  int64_t position_ = 0;
};
