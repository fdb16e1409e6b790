#include <cmath>
#include <vector>

#include "module/ModuleFixture.h"

namespace {

enum class Path { Float, Accumulate, Double };

struct Block {
  std::vector<double> left, right;
};

Block Signal(int frames) {
  Block block;
  for (int i = 0; i < frames; ++i) {
    block.left.push_back(0.5 * std::sin(0.01 * i) + 0.125);
    block.right.push_back(0.25 * std::cos(0.037 * i) - 0.0625);
  }
  return block;
}

class AudioTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    Dispatch(effect_, effOpen);
    Dispatch(effect_, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    Dispatch(effect_, effSetBlockSize, 0, 512);
    Dispatch(effect_, effMainsChanged, 0, 1);
  }

  // Runs one block through the chosen callback; the accumulating one starts on outputs
  // holding start.
  Block Process(Path path, const Block& input, float start = 0.0f) {
    const auto frames = static_cast<int32_t>(input.left.size());
    Block output;
    if (path == Path::Double) {
      std::vector<double> inL = input.left, inR = input.right, outL(frames), outR(frames);
      double* ins[] = {inL.data(), inR.data()};
      double* outs[] = {outL.data(), outR.data()};
      effect_->processDoubleReplacing(effect_, ins, outs, frames);
      return {outL, outR};
    }
    std::vector<float> inL(input.left.begin(), input.left.end()), inR(input.right.begin(), input.right.end());
    std::vector<float> outL(frames, start), outR(frames, start);
    float* ins[] = {inL.data(), inR.data()};
    float* outs[] = {outL.data(), outR.data()};
    (path == Path::Float ? effect_->processReplacing : effect_->process)(effect_, ins, outs, frames);
    return {std::vector<double>(outL.begin(), outL.end()), std::vector<double>(outR.begin(), outR.end())};
  }

  // Compares output with the expected mid/side gains applied to input: mid = (L + R) / 2
  // scaled by midGain, side = (L - R) / 2 by sideGain.
  void ExpectMidSide(const Block& input, const Block& output, double midGain, double sideGain, double tolerance,
                     const std::string& what) {
    ASSERT_EQ(output.left.size(), input.left.size()) << what;
    for (size_t i = 0; i < input.left.size(); ++i) {
      const double mid = 0.5 * (input.left[i] + input.right[i]) * midGain;
      const double side = 0.5 * (input.left[i] - input.right[i]) * sideGain;
      ASSERT_NEAR(output.left[i], mid + side, tolerance) << what << " frame " << i;
      ASSERT_NEAR(output.right[i], mid - side, tolerance) << what << " frame " << i;
    }
  }

  static constexpr Path kPaths[] = {Path::Float, Path::Accumulate, Path::Double};
};

std::string Name(Path path) {
  return path == Path::Float ? "float" : path == Path::Accumulate ? "accumulate" : "double";
}

TEST_F(AudioTest, AtZeroDecibels_EveryPathPassesTheInputThrough) {
  const Block input{{0.25, 0.125, -1.0}, {-0.5, 0.75, 1.0}};
  for (Path path : kPaths) {
    const Block output = Process(path, input);
    EXPECT_EQ(output.left, input.left) << Name(path);
    EXPECT_EQ(output.right, input.right) << Name(path);
  }
}

TEST_F(AudioTest, Accumulate_AddsToWhatTheOutputsHold) {
  const Block output = Process(Path::Accumulate, {{0.25}, {-0.5}}, 1.0f);
  EXPECT_EQ(output.left[0], 1.25);
  EXPECT_EQ(output.right[0], 0.5);
}

TEST_F(AudioTest, Double_ProcessesInPlace) {
  SetText(2, "-94");
  std::vector<double> left = {0.25, 1.0}, right = {-0.5, 0.0};
  double* channels[] = {left.data(), right.data()};
  effect_->processDoubleReplacing(effect_, channels, channels, 2);
  EXPECT_EQ(left, (std::vector<double>{-0.125, 0.5}));
  EXPECT_EQ(right, (std::vector<double>{-0.125, 0.5}));
}

TEST_F(AudioTest, Settings_ScaleMidAndSide) {
  const double plus3 = std::pow(10.0, 3.0 / 20.0);
  const struct {
    std::vector<std::pair<int32_t, const char*>> settings;
    double midGain, sideGain;
  } cases[] = {
      {{{2, "3"}}, 1.0, plus3},
      {{{1, "-6"}}, std::pow(10.0, -6.0 / 20.0), 1.0},
      {{{0, "6"}}, std::pow(10.0, 6.0 / 20.0), std::pow(10.0, 6.0 / 20.0)},
      {{{0, "-93"}}, 0.0, 0.0},
      {{{0, "-92.99"}}, 2.2413e-5, 2.2413e-5},
      {{{2, "-93"}, {1, "3"}}, plus3, 0.0},
  };
  const Block input = Signal(300);
  for (const auto& c : cases) {
    for (int32_t i = 0; i < 3; ++i) SetText(i, "0");
    for (const auto& setting : c.settings) SetText(setting.first, setting.second);
    for (Path path : kPaths) {
      const double tolerance = path == Path::Double ? 1e-12 : 1e-6;
      ExpectMidSide(input, Process(path, input), c.midGain, c.sideGain, tolerance,
                    Name(path) + " " + c.settings[0].second);
    }
  }
}

TEST_F(AudioTest, FactoryPresets_ShapeTheSound) {
  const struct {
    int32_t program;
    double midGain, sideGain;
  } cases[] = {
      {3, 1.0, 0.0},                          // Only Mono
      {2, 0.0, 1.0},                          // Only Stereo
      {1, 1.0, std::pow(10.0, 3.0 / 20.0)},  // Stereo Enhance
      {0, 1.0, 1.0},                          // No Change
  };
  const Block input = Signal(200);
  for (const auto& c : cases) {
    Dispatch(effect_, effSetProgram, 0, c.program);
    ASSERT_EQ(Dispatch(effect_, effGetProgram), c.program);
    for (Path path : kPaths) {
      ExpectMidSide(input, Process(path, input), c.midGain, c.sideGain, 1e-6,
                    Name(path) + " program " + std::to_string(c.program));
    }
  }
}

TEST_F(AudioTest, BlocksLongerThanAnnounced_AreProcessedWhole) {
  Dispatch(effect_, effSetBlockSize, 0, 64);
  SetText(2, "3");
  const Block input = Signal(1000);
  for (Path path : kPaths) {
    ExpectMidSide(input, Process(path, input), 1.0, std::pow(10.0, 3.0 / 20.0), 1e-6, Name(path));
  }
}

TEST_F(AudioTest, EverySampleRateAndBlockSize_ProcessesCleanly) {
  SetText(1, "-3");
  for (float rate : {8000.0f, 44100.0f, 96000.0f, 384000.0f}) {
    for (int32_t blockSize : {1, 7, 8192}) {
      Dispatch(effect_, effMainsChanged, 0, 0);
      Dispatch(effect_, effSetSampleRate, 0, 0, nullptr, rate);
      Dispatch(effect_, effSetBlockSize, 0, blockSize);
      Dispatch(effect_, effMainsChanged, 0, 1);
      const Block input = Signal(blockSize);
      for (Path path : kPaths) {
        ExpectMidSide(input, Process(path, input), std::pow(10.0, -3.0 / 20.0), 1.0, 1e-6,
                      Name(path) + " at " + std::to_string(rate) + "/" + std::to_string(blockSize));
      }
    }
  }
}

TEST_F(AudioTest, DecayingTail_LeavesNoSubnormalSampleOnAnyPath) {
  for (Path path : kPaths) {
    // Halving from well above the smallest normal number of the path's sample type to zero.
    const int top = path == Path::Double ? -1000 : -100;
    Block tail;
    for (int i = 0; i < 200; ++i) tail.left.push_back(std::ldexp(1.0, top - i));
    tail.right.assign(tail.left.rbegin(), tail.left.rend());
    const Block output = Process(path, tail);
    for (const std::vector<double>* channel : {&output.left, &output.right}) {
      for (double sample : *channel) {
        const bool subnormal = path == Path::Double
                                   ? std::fpclassify(sample) == FP_SUBNORMAL
                                   : std::fpclassify(static_cast<float>(sample)) == FP_SUBNORMAL;
        ASSERT_FALSE(subnormal) << Name(path) << " " << sample;
      }
    }
  }
}

TEST_F(AudioTest, EmptyBlock_WritesNothing) {
  float left = 7.0f, right = 8.0f;
  float* ins[] = {&left, &right};
  float* outs[] = {&left, &right};
  effect_->processReplacing(effect_, ins, outs, 0);
  effect_->process(effect_, ins, outs, 0);
  EXPECT_EQ(left, 7.0f);
  EXPECT_EQ(right, 8.0f);
}

}  // namespace
