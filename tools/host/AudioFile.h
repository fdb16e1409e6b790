#pragma once
// Audio files through libsndfile: every format it reads (WAV, FLAC, AIFF, Ogg, ...) as a
// source, and an output file whose format follows its file name.

#include <sndfile.h>

#include <memory>
#include <string>
#include <vector>

#include "tools/host/AudioSource.h"
#include "tools/host/SampleQuantiser.h"

class AudioFileReader : public AudioSource {
 public:
  // Null with a one-line reason in error when the file cannot be opened. "-" is standard
  // input.
  static std::unique_ptr<AudioFileReader> Open(const std::string& path, std::string* error);
  ~AudioFileReader() override;

  int Channels() const override { return info_.channels; }
  double SampleRate() const override { return info_.samplerate; }
  int64_t TotalFrames() const override { return info_.seekable ? info_.frames : -1; }
  int64_t Read(double* interleaved, int64_t frames) override;
  // The sample encoding (SF_FORMAT_PCM_16, SF_FORMAT_FLOAT, ...).
  int Subtype() const { return info_.format & SF_FORMAT_SUBMASK; }

 private:
  AudioFileReader(SNDFILE* file, const SF_INFO& info) : file_(file), info_(info) {}
  SNDFILE* file_;
  SF_INFO info_;
};

class AudioFileWriter {
 public:
  // Writes to descriptor (which stays open and the caller's) in the container that type
  // names ("wav", "flac", ...), or when it is empty the extension of name, with the sample encoding preferredSubtype when the container
  // takes it, else 24-bit PCM or the container's own. Samples are quantised as
  // SampleQuantiser says, with dither for integer encodings when asked for.
  static std::unique_ptr<AudioFileWriter> Create(int descriptor, const std::string& name, const std::string& type,
                                                 int channels, int sampleRate, int preferredSubtype,
                                                 SampleQuantiser::Dither dither, std::string* error);
  ~AudioFileWriter();

  // Quantises the samples in place, leaving the values the file holds, and writes them.
  // Refuses samples that are not finite numbers.
  bool Write(double* interleaved, int64_t frames);
  // Finishes the file (headers, encoder state); false when the data did not reach it.
  bool Close();
  // Why Write or Close failed, as a one-line message naming the file.
  const std::string& Failure() const { return failure_; }
  // The clipped samples and the peak of what was written.
  const SampleQuantiser& Quantiser() const { return quantiser_; }

 private:
  AudioFileWriter(SNDFILE* file, const std::string& name, int channels, int subtype, SampleQuantiser::Dither dither)
      : file_(file), name_(name), channels_(channels), quantiser_(subtype, dither) {}
  sf_count_t WriteSamples(const double* interleaved, int64_t frames);
  // Keeps reason (the system's where a system call failed, else libsndfile's).
  bool Fail(const char* reason);

  SNDFILE* file_;
  std::string name_;
  int channels_;
  SampleQuantiser quantiser_;
  std::vector<int32_t> integers_;  // integer encodings: the samples as libsndfile takes them
  std::string failure_;
};
