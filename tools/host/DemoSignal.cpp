#include "tools/host/DemoSignal.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kCentreHz = 220.0;
constexpr double kSideHz = 660.0;
constexpr double kCentreAmplitude = 0.3;
constexpr double kSideAmplitude = 0.15;
constexpr double kFadeSeconds = 0.05;

}  // namespace

int64_t DemoSignal::TotalFrames() const { return static_cast<int64_t>(kSampleRate * kSeconds); }

int64_t DemoSignal::Read(double* interleaved, int64_t frames) {
  const int64_t total = TotalFrames();
  const int64_t count = std::max<int64_t>(0, std::min(frames, total - position_));
  const double fadeFrames = kFadeSeconds * kSampleRate;
  for (int64_t i = 0; i < count; ++i, ++position_) {
    const double t = static_cast<double>(position_) / kSampleRate;
    const double edge = static_cast<double>(std::min(position_, total - 1 - position_));
    const double fade = std::min(1.0, edge / fadeFrames);
    const double centre =
        kCentreAmplitude * (0.8 * std::sin(kTwoPi * kCentreHz * t) + 0.2 * std::sin(kTwoPi * 2 * kCentreHz * t));
    const double side = kSideAmplitude * std::sin(kTwoPi * kSideHz * t);
    interleaved[2 * i] = fade * (centre + side);
    interleaved[2 * i + 1] = fade * (centre - side);
  }
  return count;
}
