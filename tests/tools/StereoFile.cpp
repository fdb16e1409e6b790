#include "tools/StereoFile.h"

#include <sndfile.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kTwoPi = 6.283185307179586;

double LevelDb(const StereoAudio& audio, double sign) {
  double squares = 0.0;
  for (size_t i = 0; i < audio.left.size(); ++i) {
    const double value = 0.5 * (audio.left[i] + sign * audio.right[i]);
    squares += value * value;
  }
  return 10.0 * std::log10(squares / static_cast<double>(audio.left.size()));
}

}  // namespace

StereoAudio MakeMidSideSignal(int sampleRate, int frames, double midAmplitude, double sideAmplitude) {
  StereoAudio audio;
  audio.sampleRate = sampleRate;
  for (int i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double mid = midAmplitude * std::sin(kTwoPi * 250.0 * t);
    const double side = sideAmplitude * std::sin(kTwoPi * 710.0 * t);
    audio.left.push_back(mid + side);
    audio.right.push_back(mid - side);
  }
  return audio;
}

bool WriteStereoFile(const std::string& path, const StereoAudio& audio, int channels) {
  SF_INFO info{};
  info.samplerate = audio.sampleRate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) return false;
  std::vector<double> frames;
  for (size_t i = 0; i < audio.left.size(); ++i) {
    frames.push_back(audio.left[i]);
    if (channels > 1) frames.push_back(audio.right[i]);
  }
  const auto count = static_cast<sf_count_t>(audio.left.size());
  const bool written = sf_writef_double(file, frames.data(), count) == count;
  return sf_close(file) == 0 && written;
}

bool ReadStereoFile(const std::string& path, StereoAudio* audio) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return false;
  std::vector<double> frames(static_cast<size_t>(info.frames * info.channels));
  const bool read = info.channels == 2 && sf_readf_double(file, frames.data(), info.frames) == info.frames;
  sf_close(file);
  if (!read) return false;
  audio->sampleRate = info.samplerate;
  audio->left.clear();
  audio->right.clear();
  for (size_t i = 0; i < frames.size(); i += 2) {
    audio->left.push_back(frames[i]);
    audio->right.push_back(frames[i + 1]);
  }
  return true;
}

double MidLevelDb(const StereoAudio& audio) { return LevelDb(audio, 1.0); }
double SideLevelDb(const StereoAudio& audio) { return LevelDb(audio, -1.0); }

TempPath::TempPath(const std::string& suffix) {
  static std::atomic<int> counter{0};
  path_ = "/tmp/tessaly-tools-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + suffix;
}

TempPath::~TempPath() { std::remove(path_.c_str()); }
