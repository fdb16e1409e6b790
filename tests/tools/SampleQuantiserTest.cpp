#include "tools/host/SampleQuantiser.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr double kStep16 = 1.0 / 32768.0;

TEST(SampleQuantiser, RoundsToTheNearestStepAndClipsToTheEncodingsRange) {
  const struct {
    int subtype;
    double in, out;
    int64_t clipped;
  } cases[] = {
      {SF_FORMAT_PCM_16, 3.4 * kStep16, 3 * kStep16, 0},
      {SF_FORMAT_PCM_16, 3.6 * kStep16, 4 * kStep16, 0},
      {SF_FORMAT_PCM_16, -3.6 * kStep16, -4 * kStep16, 0},
      {SF_FORMAT_PCM_16, -3.4 * kStep16, -3 * kStep16, 0},
      {SF_FORMAT_PCM_16, 1.5, 1.0 - kStep16, 1},
      {SF_FORMAT_PCM_16, -1.0, -1.0, 0},
      {SF_FORMAT_PCM_16, -1.0 - kStep16, -1.0, 1},
      {SF_FORMAT_PCM_U8, 0.3, 38.0 / 128.0, 0},
      {SF_FORMAT_PCM_24, 0.5 + 0.6 / 8388608.0, 0.5 + 1.0 / 8388608.0, 0},
      {SF_FORMAT_FLOAT, 1.7, 1.7, 0},  // float keeps levels beyond full scale
      {SF_FORMAT_DOUBLE, -2.5, -2.5, 0},
      {SF_FORMAT_VORBIS, 1.2, 1.0, 1},  // compressed encodings clip at full scale
  };
  for (const auto& c : cases) {
    SampleQuantiser quantiser(c.subtype, SampleQuantiser::Dither::None);
    double sample = c.in;
    quantiser.Apply(&sample, 1);
    EXPECT_DOUBLE_EQ(sample, c.out) << std::hex << c.subtype << " " << c.in;
    EXPECT_EQ(quantiser.ClippedSamples(), c.clipped) << c.in;
    EXPECT_NEAR(quantiser.PeakDb(), 20.0 * std::log10(std::fabs(c.in)), 1e-9);
  }
}

TEST(SampleQuantiser, ErrorsAverageZeroWithAndWithoutDither) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> level(-0.9, 0.9);
  std::vector<double> input(100000);
  for (double& sample : input) sample = level(random);
  for (const auto dither : {SampleQuantiser::Dither::None, SampleQuantiser::Dither::Triangular}) {
    SampleQuantiser quantiser(SF_FORMAT_PCM_16, dither);
    std::vector<double> output = input;
    quantiser.Apply(output.data(), output.size());
    double sum = 0.0, squares = 0.0, worst = 0.0;
    for (size_t i = 0; i < input.size(); ++i) {
      const double steps = (output[i] - input[i]) / kStep16;
      EXPECT_DOUBLE_EQ(output[i] / kStep16, std::round(output[i] / kStep16));  // on a step
      sum += steps;
      squares += steps * steps;
      worst = std::max(worst, std::fabs(steps));
    }
    const double mean = sum / input.size();
    const double variance = squares / input.size();
    EXPECT_NEAR(mean, 0.0, 0.01);
    if (dither == SampleQuantiser::Dither::None) {
      EXPECT_LE(worst, 0.5);
      EXPECT_NEAR(variance, 1.0 / 12.0, 0.005);  // rounding alone
    } else {
      EXPECT_LE(worst, 1.5);
      EXPECT_NEAR(variance, 1.0 / 12.0 + 1.0 / 6.0, 0.01);  // plus triangular noise of 1/6 step^2
    }
  }
}

}  // namespace
