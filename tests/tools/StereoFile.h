#pragma once
// Stereo test signals written to and read from real audio files with libsndfile, and
// their mid and side levels.

#include <string>
#include <vector>

struct StereoAudio {
  int sampleRate = 48000;
  std::vector<double> left, right;
};

// frames frames of a centre tone (in both channels) and a side tone (opposite phase).
StereoAudio MakeMidSideSignal(int sampleRate, int frames, double midAmplitude, double sideAmplitude);

// Writes a WAV (or whatever the extension names) in 32-bit float; false on failure.
bool WriteStereoFile(const std::string& path, const StereoAudio& audio, int channels = 2);
bool ReadStereoFile(const std::string& path, StereoAudio* audio);

// RMS of (L + R) / 2 and (L - R) / 2, in dB.
double MidLevelDb(const StereoAudio& audio);
double SideLevelDb(const StereoAudio& audio);

// A fresh path in the temporary folder, ending in suffix; the file is removed when the
// returned object goes away.
class TempPath {
 public:
  explicit TempPath(const std::string& suffix);
  ~TempPath();
  const std::string& str() const { return path_; }
  const char* c_str() const { return path_.c_str(); }

 private:
  std::string path_;
};
