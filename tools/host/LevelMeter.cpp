#include "tools/host/LevelMeter.h"

#include <cmath>
#include <limits>

void LevelMeter::Add(const double* interleaved, int64_t frames) {
  for (int64_t i = 0; i < frames; ++i) {
    const double left = interleaved[2 * i];
    const double right = interleaved[2 * i + 1];
    const double mid = 0.5 * (left + right);
    const double side = 0.5 * (left - right);
    midSquares_ += mid * mid;
    sideSquares_ += side * side;
  }
  frames_ += frames;
}

double LevelMeter::LevelDb(double squares) const {
  if (frames_ == 0 || squares <= 0.0) return -std::numeric_limits<double>::infinity();
  return 10.0 * std::log10(squares / static_cast<double>(frames_));
}
