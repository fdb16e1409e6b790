#include "tools/host/LevelMeter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(LevelMeter, SplitsCentreAndSides) {
  const struct {
    double left, right, midDb, sideDb;
  } cases[] = {
      {0.5, 0.5, 20 * std::log10(0.5), -INFINITY},    // centre only
      {0.5, -0.5, -INFINITY, 20 * std::log10(0.5)},   // sides only
      {1.0, 0.0, 20 * std::log10(0.5), 20 * std::log10(0.5)},  // one channel: both halves
      {0.0, 0.0, -INFINITY, -INFINITY},
  };
  for (const auto& c : cases) {
    std::vector<double> frames;
    for (int i = 0; i < 100; ++i) {
      const double sign = i % 2 ? -1.0 : 1.0;  // a square wave keeps the RMS equal to the peak
      frames.push_back(sign * c.left);
      frames.push_back(sign * c.right);
    }
    LevelMeter meter;
    meter.Add(frames.data(), 60);
    meter.Add(frames.data() + 120, 40);
    if (std::isinf(c.midDb)) EXPECT_EQ(meter.MidDb(), c.midDb); else EXPECT_NEAR(meter.MidDb(), c.midDb, 1e-9);
    if (std::isinf(c.sideDb)) EXPECT_EQ(meter.SideDb(), c.sideDb); else EXPECT_NEAR(meter.SideDb(), c.sideDb, 1e-9);
  }
  EXPECT_EQ(LevelMeter().MidDb(), -INFINITY);
}

}  // namespace
