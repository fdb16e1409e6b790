#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "BoundaryEffect.h"
#include "VstTestHost.h"

using Processing = VstTestHost;

namespace {
// A stereo block of 32-bit samples with room for the host's buffer pointers.
struct FloatBlock {
  explicit FloatBlock(int frames, float left = 0.25f, float right = -0.5f)
      : inL(frames, left), inR(frames, right), outL(frames, 0.0f), outR(frames, 0.0f) {}
  float* ins[2] = {nullptr, nullptr};
  float* outs[2] = {nullptr, nullptr};
  float** In() { ins[0] = inL.data(); ins[1] = inR.data(); return ins; }
  float** Out() { outs[0] = outL.data(); outs[1] = outR.data(); return outs; }
  std::vector<float> inL, inR, outL, outR;
};

void SetDb(AEffect* effect, int index, const char* text) {
  effect->dispatcher(effect, effString2Parameter, index, 0, const_cast<char*>(text), 0.0f);
}

// Which of the host's channel pointers are real buffers; the others are null.
struct ChannelPointers {
  bool inL = true, inR = true, outL = true, outR = true;
};

template <typename Sample>
using AudioCallback = void (*)(AEffect*, Sample**, Sample**, int32_t);

// Runs one block through callback and returns both outputs, which start at start; the
// channels pointers says are missing are passed as null.
template <typename Sample>
std::vector<std::vector<Sample>> RunBlock(AEffect* effect, AudioCallback<Sample> callback,
                                     std::vector<Sample> inL, std::vector<Sample> inR, Sample start,
                                     const ChannelPointers& pointers = {}) {
  const auto frames = static_cast<int32_t>(inL.size());
  std::vector<std::vector<Sample>> out(2, std::vector<Sample>(inL.size(), start));
  Sample* ins[] = {pointers.inL ? inL.data() : nullptr, pointers.inR ? inR.data() : nullptr};
  Sample* outs[] = {pointers.outL ? out[0].data() : nullptr, pointers.outR ? out[1].data() : nullptr};
  callback(effect, ins, outs, frames);
  return out;
}

// Constant inputs 0.25 (left) and -0.5 (right) through callback with null pointers.
template <typename Sample>
std::vector<std::vector<Sample>> RunWithNulls(AEffect* effect, AudioCallback<Sample> callback,
                                              const ChannelPointers& pointers, int frames,
                                              Sample start) {
  return RunBlock(effect, callback, std::vector<Sample>(frames, Sample(0.25)),
             std::vector<Sample>(frames, Sample(-0.5)), start, pointers);
}

// Powers of two from 2^40 times the smallest normal number down through the subnormal
// range to zero, one halving per frame.
template <typename Sample>
std::vector<Sample> DecayingTail(int frames) {
  std::vector<Sample> tail(frames);
  for (int i = 0; i < frames; ++i) {
    tail[i] = std::ldexp(Sample(1), std::numeric_limits<Sample>::min_exponent + 40 - i);
  }
  return tail;
}

template <typename Sample>
int CountSubnormal(const std::vector<std::vector<Sample>>& channels) {
  int count = 0;
  for (const auto& channel : channels) {
    for (Sample s : channel) count += std::fpclassify(s) == FP_SUBNORMAL ? 1 : 0;
  }
  return count;
}
}  // namespace

TEST_F(Processing, ZeroDbPassesBothChannelsThrough) {
  AEffect* effect = CreateRunning();
  FloatBlock block(8);
  effect->processReplacing(effect, block.In(), block.Out(), 8);
  EXPECT_EQ(block.outL[7], 0.25f);
  EXPECT_EQ(block.outR[7], -0.5f);
}

TEST_F(Processing, FreshObjectPassesThroughBeforeOpen) {
  AEffect* effect = Create();
  FloatBlock block(4);
  effect->processReplacing(effect, block.In(), block.Out(), 4);
  EXPECT_EQ(block.outL[0], 0.25f);
  EXPECT_EQ(block.outR[0], -0.5f);
}

TEST_F(Processing, AccumulateAddsToWhatTheOutputsHold) {
  AEffect* effect = CreateRunning();
  FloatBlock block(6);
  std::fill(block.outL.begin(), block.outL.end(), 1.0f);
  std::fill(block.outR.begin(), block.outR.end(), 1.0f);
  effect->process(effect, block.In(), block.Out(), 6);
  EXPECT_EQ(block.outL[5], 1.25f);
  EXPECT_EQ(block.outR[5], 0.5f);
}

TEST_F(Processing, DoublePathWorksInPlace) {
  AEffect* effect = CreateRunning();
  SetDb(effect, Tessaly::kStereo, "-94");
  std::vector<double> left = {1.0, 0.5}, right = {0.0, -0.5};
  double* buffers[] = {left.data(), right.data()};
  effect->processDoubleReplacing(effect, buffers, buffers, 2);
  EXPECT_DOUBLE_EQ(left[0], 0.5);  // only the centre remains: 0.5 * (L + R)
  EXPECT_DOUBLE_EQ(right[0], 0.5);
  EXPECT_DOUBLE_EQ(left[1], 0.0);
}

TEST_F(Processing, FactoryPresetsShapeMidAndSide) {
  AEffect* effect = CreateRunning();
  Tessaly& plugin = Plugin(effect);
  Dispatch(effect, effSetProgram, 0, 2);  // Only Stereo
  std::vector<double> left = {1.0}, right = {0.25};
  std::vector<double> outL(1), outR(1);
  double* ins[] = {left.data(), right.data()};
  double* outs[] = {outL.data(), outR.data()};
  effect->processDoubleReplacing(effect, ins, outs, 1);
  EXPECT_DOUBLE_EQ(outL[0], 0.5 * 0.75);
  EXPECT_DOUBLE_EQ(outR[0], -0.5 * 0.75);
  Dispatch(effect, effSetProgram, 0, 1);  // Stereo Enhance
  EXPECT_NEAR(plugin.SideGain(), 0.70627, 1e-5);
  EXPECT_EQ(plugin.MidGain(), 0.5);
}

TEST_F(Processing, GainsFollowDecibelsWithASilenceFloor) {
  AEffect* effect = CreateRunning();
  Tessaly& plugin = Plugin(effect);
  SetDb(effect, Tessaly::kGain, "-93");
  EXPECT_EQ(plugin.OutputGain(), 0.0);
  SetDb(effect, Tessaly::kGain, "-92.99");
  EXPECT_NEAR(plugin.OutputGain(), 2.2413e-5, 1e-8);
  SetDb(effect, Tessaly::kGain, "6");
  EXPECT_NEAR(plugin.OutputGain(), 1.99526, 1e-5);
  SetDb(effect, Tessaly::kMono, "6");
  EXPECT_NEAR(plugin.MidGain(), 0.99763, 1e-5);
}

TEST_F(Processing, AutomationMapsNormalisedValues) {
  AEffect* effect = CreateRunning();
  Tessaly& plugin = Plugin(effect);
  effect->setParameter(effect, 0, 1.0f);
  EXPECT_EQ(plugin.Parameter(0)->PlainValue(), 6.0);
  effect->setParameter(effect, 0, 0.0f);
  EXPECT_EQ(plugin.Parameter(0)->PlainValue(), -94.0);
  EXPECT_EQ(effect->getParameter(effect, 0), 0.0f);
  effect->setParameter(effect, 0, 0.5f);
  EXPECT_NEAR(plugin.Parameter(0)->PlainValue(), -0.0477, 1e-4);
  EXPECT_EQ(effect->getParameter(effect, 5), 0.0f);
  effect->setParameter(effect, 5, 0.3f);
}

TEST_F(Processing, OutOfRangeAndNaNAutomationNeverReachesTheAudio) {
  AEffect* effect = CreateRunning();
  Tessaly& plugin = Plugin(effect);
  effect->setParameter(effect, 1, -0.0001f);
  EXPECT_EQ(plugin.Parameter(1)->PlainValue(), -94.0);
  effect->setParameter(effect, 1, 1.5f);
  EXPECT_EQ(plugin.Parameter(1)->PlainValue(), 6.0);
  effect->setParameter(effect, 1, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(plugin.Parameter(1)->PlainValue(), 6.0);
  FloatBlock block(16);
  effect->processReplacing(effect, block.In(), block.Out(), 16);
  for (float sample : block.outL) EXPECT_TRUE(std::isfinite(sample));
}

TEST_F(Processing, LongBlocksAreProcessedInSlices) {
  AEffect* effect = CreateRunning(64);
  SetDb(effect, Tessaly::kGain, "-6.0206");
  const int frames = 1000;  // far beyond the announced 64
  FloatBlock block(frames);
  for (int i = 0; i < frames; ++i) block.inL[i] = static_cast<float>(i);
  std::fill(block.outR.begin(), block.outR.end(), 1.0f);
  effect->processReplacing(effect, block.In(), block.Out(), frames);
  for (int i = 0; i < frames; ++i) ASSERT_NEAR(block.outL[i], 0.5f * i, 1e-3f * (i + 1)) << i;
  effect->process(effect, block.In(), block.Out(), frames);
  EXPECT_NEAR(block.outL[999], 999.0f, 0.1f);

  std::vector<double> left(frames, 1.0), right(frames, 1.0);
  double* buffers[] = {left.data(), right.data()};
  effect->processDoubleReplacing(effect, buffers, buffers, frames);
  EXPECT_NEAR(left[frames - 1], 0.5, 1e-5);
}

TEST_F(Processing, OneAnnouncedInputReadsOnlyTheFirstHostBuffer) {
  AEffect* effect = CreateRunning();
  VstSpeakerArrangement mono{};
  mono.numChannels = 1;
  Dispatch(effect, effSetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&mono), nullptr);
  std::vector<float> only(4, 0.5f), outL(4), outR(4);
  float* ins[] = {only.data()};
  float* outs[] = {outL.data(), outR.data()};
  effect->processReplacing(effect, ins, outs, 4);
  EXPECT_EQ(outL[0], 0.5f);  // the second input reads silence
  EXPECT_EQ(outR[0], 0.0f);
}

TEST_F(Processing, AnInputDisconnectedAfterProcessingReadsSilence) {
  AEffect* effect = CreateRunning();
  FloatBlock block(4);
  effect->processReplacing(effect, block.In(), block.Out(), 4);  // widens both inputs
  VstSpeakerArrangement mono{};
  mono.numChannels = 1;
  Dispatch(effect, effSetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&mono), nullptr);
  std::vector<double> only(4, 0.5), outL(4), outR(4);
  double* ins[] = {only.data()};
  double* outs[] = {outL.data(), outR.data()};
  effect->processDoubleReplacing(effect, ins, outs, 4);
  EXPECT_EQ(outL[0], 0.5);
  EXPECT_EQ(outR[0], 0.0);
}

TEST_F(Processing, EmptyBlocksAndMissingBuffersWriteNothing) {
  AEffect* effect = CreateRunning();
  FloatBlock block(4);
  block.outL[0] = 9.0f;
  effect->processReplacing(effect, block.In(), block.Out(), 0);
  effect->processReplacing(effect, block.In(), block.Out(), -3);
  effect->processReplacing(effect, nullptr, nullptr, 4);
  EXPECT_EQ(block.outL[0], 9.0f);
}

TEST_F(Processing, EveryBlockSizeAndRateProcessesCleanly) {
  for (float rate : {8000.0f, 44100.0f, 384000.0f}) {
    for (int blockSize : {1, 7, 512, 8192}) {
      AEffect* effect = CreateRunning(blockSize, rate);
      FloatBlock block(blockSize);
      effect->processReplacing(effect, block.In(), block.Out(), blockSize);
      ASSERT_EQ(block.outL[blockSize - 1], 0.25f) << rate << " " << blockSize;
      Close(effect);
    }
  }
}

TEST_F(Processing, ABlockWhoseRenderThrowsLeavesSilenceWhenReplacing) {
  AEffect* effect = CreateRunning(64, 48000.0f, &BoundaryEffect::Create);
  BoundaryEffect::Of(effect).throwing = true;
  auto all = [](const std::vector<float>& samples, float value) {
    return std::all_of(samples.begin(), samples.end(), [value](float s) { return s == value; });
  };
  for (int frames : {16, 200}) {  // whole, and in slices of the announced 64
    FloatBlock block(frames);
    std::fill(block.outL.begin(), block.outL.end(), 9.0f);
    std::fill(block.outR.begin(), block.outR.end(), 9.0f);
    effect->process(effect, block.In(), block.Out(), frames);
    EXPECT_TRUE(all(block.outL, 9.0f) && all(block.outR, 9.0f)) << frames;
    effect->processReplacing(effect, block.In(), block.Out(), frames);
    EXPECT_TRUE(all(block.outL, 0.0f) && all(block.outR, 0.0f)) << frames;

    std::vector<double> in(frames, 0.25), outL(frames, 9.0), outR(frames, 9.0);
    double* ins[] = {in.data(), in.data()};
    double* outs[] = {outL.data(), outR.data()};
    effect->processDoubleReplacing(effect, ins, outs, frames);
    EXPECT_EQ(outL, std::vector<double>(frames, 0.0)) << frames;
    EXPECT_EQ(outR, std::vector<double>(frames, 0.0)) << frames;
  }
}

TEST_F(Processing, AutomationWhoseHookThrowsReturnsQuietly) {
  AEffect* effect = CreateRunning(64, 48000.0f, &BoundaryEffect::Create);
  BoundaryEffect::Of(effect).throwing = true;
  EXPECT_NO_THROW(effect->setParameter(effect, 0, 0.75f));
  EXPECT_EQ(effect->getParameter(effect, 0), 0.75f);
}

TEST_F(Processing, NullChannelPointersReadSilenceAndDiscardTheirResults) {
  AEffect* effect = CreateRunning(64);
  SetDb(effect, Tessaly::kStereo, "-94");  // both outputs carry (L + R) / 2
  const ChannelPointers cases[] = {
      {false, false, true, true}, {false, true, true, true},  {true, false, true, true},
      {true, true, false, false}, {true, true, true, false},  {true, true, false, true},
      {false, true, false, true}, {true, false, true, false}, {false, false, false, false},
  };
  for (const ChannelPointers& c : cases) {
    for (int frames : {16, 200}) {  // whole, and in slices of the announced 64
      const double mix = ((c.inL ? 0.25 : 0.0) + (c.inR ? -0.5 : 0.0)) / 2;
      const bool present[] = {c.outL, c.outR};
      const auto replaced = RunWithNulls<float>(effect, effect->processReplacing, c, frames, 9.0f);
      const auto added = RunWithNulls<float>(effect, effect->process, c, frames, 1.0f);
      // The double path runs after the float ones have widened real input into scratch.
      const auto doubles = RunWithNulls<double>(effect, effect->processDoubleReplacing, c, frames, 9.0);
      for (int ch = 0; ch < 2; ++ch) {
        const std::string what = std::to_string(c.inL) + std::to_string(c.inR) +
                                 std::to_string(c.outL) + std::to_string(c.outR) + " output " +
                                 std::to_string(ch) + " frames " + std::to_string(frames);
        const auto fill = [frames](double v) { return std::vector<double>(frames, v); };
        EXPECT_EQ(std::vector<double>(replaced[ch].begin(), replaced[ch].end()),
                  fill(present[ch] ? mix : 9.0)) << what;
        EXPECT_EQ(std::vector<double>(added[ch].begin(), added[ch].end()),
                  fill(present[ch] ? 1.0 + mix : 1.0)) << what;
        EXPECT_EQ(doubles[ch], fill(present[ch] ? mix : 9.0)) << what;
      }
    }
  }
}

#if defined(__x86_64__)
TEST_F(Processing, DecayingTailsLeaveNoSubnormalSampleAndTheHostKeepsItsMode) {
  constexpr unsigned int kFlushModes = 0x8040;  // flush-to-zero and denormals-are-zero
  constexpr unsigned int kStatusFlags = 0x3F;
  const int frames = 200;  // in slices of the announced 64
  const auto left = DecayingTail<float>(frames);
  const std::vector<float> right(left.rbegin(), left.rend());
  const auto tail = DecayingTail<double>(frames);
  const std::vector<double> reversed(tail.rbegin(), tail.rend());
  AEffect* effect = CreateRunning(64);
  const unsigned int hostMode = _mm_getcsr() & ~kStatusFlags;
  for (const char* gain : {"0", "-92.99"}) {  // through, and the smallest gain above silence
    SetDb(effect, Tessaly::kGain, gain);
    for (unsigned int mode : {hostMode & ~kFlushModes, hostMode | kFlushModes}) {
      _mm_setcsr(mode);
      const auto replaced = RunBlock<float>(effect, effect->processReplacing, left, right, 0.0f);
      const unsigned int afterReplacing = _mm_getcsr();
      const auto added = RunBlock<float>(effect, effect->process, left, right, 0.0f);
      const unsigned int afterAccumulating = _mm_getcsr();
      const auto doubles = RunBlock<double>(effect, effect->processDoubleReplacing, tail, reversed, 0.0);
      const unsigned int afterDouble = _mm_getcsr();
      _mm_setcsr(hostMode);
      EXPECT_EQ(afterReplacing, mode) << gain;
      EXPECT_EQ(afterAccumulating, mode) << gain;
      EXPECT_EQ(afterDouble, mode) << gain;
      EXPECT_EQ(CountSubnormal(replaced), 0) << gain;
      EXPECT_EQ(CountSubnormal(added), 0) << gain;
      EXPECT_EQ(CountSubnormal(doubles), 0) << gain;
    }
  }
}

TEST_F(Processing, AThrowingRenderStillGivesTheHostItsModeBack) {
  AEffect* effect = CreateRunning(64, 48000.0f, &BoundaryEffect::Create);
  BoundaryEffect::Of(effect).throwing = true;
  const unsigned int hostMode = _mm_getcsr();
  FloatBlock block(16);
  effect->processReplacing(effect, block.In(), block.Out(), 16);
  EXPECT_EQ(_mm_getcsr(), hostMode);
}
#endif
