#include "tools/host/SilentSource.h"

#include <algorithm>

int64_t SilentSource::Read(double* interleaved, int64_t frames) {
  const int64_t count = std::min(frames, frames_ - position_);
  std::fill(interleaved, interleaved + 2 * count, 0.0);
  position_ += count;
  return count;
}
