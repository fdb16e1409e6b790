#include <gtest/gtest.h>

#include <vector>

#include "TestEffect.h"

namespace {
std::vector<std::pair<int, int>> Configs(const IEffectBase& effect) {
  std::vector<std::pair<int, int>> configs;
  for (int i = 0; i < effect.ChannelConfigCount(); ++i) {
    configs.emplace_back(effect.ChannelConfig(i)->inputs, effect.ChannelConfig(i)->outputs);
  }
  return configs;
}

using Pairs = std::vector<std::pair<int, int>>;
}  // namespace

TEST(EffectBase, ChannelTextsParseLikeTheScanner) {
  const struct {
    const char* text;
    Pairs configs;
    int inputs, outputs;
  } cases[] = {
      {"2-2", {{2, 2}}, 2, 2},
      {"1-1 2-2", {{1, 1}, {2, 2}}, 2, 2},
      {"2-2 ", {{2, 2}, {0, 0}}, 2, 2},
      {"1-1  2-2", {{1, 1}, {2, 2}, {2, 2}}, 2, 2},
      {"junk", {{0, 0}}, 0, 0},
      {"3", {{3, 0}}, 3, 0},
  };
  for (const auto& c : cases) {
    TestEffect effect(0, 0, c.text);
    EXPECT_EQ(Configs(effect), c.configs) << c.text;
    EXPECT_EQ(effect.InputCount(), c.inputs) << c.text;
    EXPECT_EQ(effect.OutputCount(), c.outputs) << c.text;
  }
}

TEST(EffectBase, LegalIOMatchesWithWildcards) {
  TestEffect stereo(0, 0, "2-2");
  EXPECT_TRUE(stereo.LegalIO(2, 2));
  EXPECT_TRUE(stereo.LegalIO(2, -1));
  EXPECT_FALSE(stereo.LegalIO(1, -1));
  TestEffect both(0, 0, "1-1 2-2");
  EXPECT_TRUE(both.LegalIO(1, -1));
}

TEST(EffectBase, VersionDecimal) {
  EXPECT_EQ(TestEffect().VersionDecimal(), 20001);
}

TEST(EffectBase, ChangeBlockSizeZeroesScratchOnlyWhenTheSizeChanges) {
  TestEffect effect;
  effect.SetInputConnections(0, 2, false);
  effect.ChangeBlockSize(4);
  double* scratch = effect.InputData()[0];
  ASSERT_NE(scratch, nullptr);
  scratch[0] = 7.0;
  effect.ChangeBlockSize(4);
  EXPECT_EQ(effect.InputData()[0][0], 7.0);
  effect.ChangeBlockSize(8);
  EXPECT_EQ(effect.BlockSize(), 8);
  EXPECT_EQ(effect.InputData()[0][0], 0.0);
}

TEST(EffectBase, BaseRenderCopiesCommonChannelsAndZeroesTheRest) {
  TestEffect twoToThree(0, 0, "2-3");
  double in0[2] = {1, 2}, in1[2] = {3, 4};
  double out0[2] = {9, 9}, out1[2] = {9, 9}, out2[2] = {9, 9};
  double* ins[] = {in0, in1};
  double* outs[] = {out0, out1, out2};
  twoToThree.RenderDouble(ins, outs, 2);
  EXPECT_EQ(out0[1], 2);
  EXPECT_EQ(out1[0], 3);
  EXPECT_EQ(out2[0], 0);
  EXPECT_EQ(out2[1], 0);

  TestEffect threeToTwo(0, 0, "3-2");
  double in2[2] = {5, 6};
  double* threeIns[] = {in0, in1, in2};
  out0[0] = out1[0] = 9;
  threeToTwo.RenderDouble(threeIns, outs, 2);
  EXPECT_EQ(out0[0], 1);
  EXPECT_EQ(out1[0], 3);
}

TEST(EffectBase, BindingSkipsDisconnectedChannels) {
  TestEffect effect;
  effect.ChangeBlockSize(4);
  effect.SetInputConnections(0, 2, true);
  effect.SetInputConnections(0, 1, false);
  double hostBuffer[4] = {1, 2, 3, 4};
  double* buffers[] = {hostBuffer};
  effect.BindInputs(2, buffers);
  EXPECT_EQ(effect.InputData()[1], hostBuffer);  // the first connected channel takes [0]
  EXPECT_EQ(effect.InputData()[0][0], 0.0);      // the disconnected one reads silence

  float floats[4] = {0.25f, -0.5f, 1.0f, 2.0f};
  float* floatBuffers[] = {floats};
  effect.BindInputsConverted(2, floatBuffers, 4);
  EXPECT_EQ(effect.InputData()[1][1], -0.5);
  EXPECT_NE(effect.InputData()[1], hostBuffer);
}

TEST(EffectBase, FloatRunsStoreOrAddRoundedResults) {
  TestEffect effect;
  effect.ChangeBlockSize(5);
  effect.SetInputConnections(0, 2, true);
  effect.SetOutputConnections(0, 2, true);
  float inL[5] = {0.25f, 0.1f, 0.2f, 0.3f, 0.4f}, inR[5] = {-0.5f, 1, 2, 3, 4};
  float outL[5] = {1, 1, 1, 1, 1}, outR[5] = {1, 1, 1, 1, 1};
  float* ins[] = {inL, inR};
  float* outs[] = {outL, outR};
  effect.BindInputsConverted(2, ins, 5);
  effect.BindOutputsConverted(2, outs);
  effect.RunAndAddFloat(5);
  EXPECT_EQ(outL[0], 1.25f);
  EXPECT_EQ(outR[0], 0.5f);
  EXPECT_EQ(outL[4], 1.4f);
  effect.RunAndStoreFloat(5);
  EXPECT_EQ(outL[0], 0.25f);
  EXPECT_EQ(outR[4], 4.0f);
}

TEST(EffectBase, SetParameterFromEditorReportsAndNotifies) {
  TestEffect effect;
  effect.SetParameterFromEditor(1, 0.75);
  EXPECT_DOUBLE_EQ(effect.Parameter(1)->PlainValue(), 5.0);
  ASSERT_EQ(effect.requests.size(), 1u);
  EXPECT_EQ(effect.requests[0], "value 1 0.750000");
  EXPECT_EQ(effect.notified, std::vector<int>{1});
  effect.SetParameterFromEditor(3, 0.5);  // out of range: nothing
  EXPECT_EQ(effect.requests.size(), 1u);
}

TEST(EffectBase, StateMatchesComparesInSinglePrecision) {
  TestEffect effect;
  effect.Parameter(0)->SetClamped(1.0);
  const double values[] = {99, 1.000001, 0.0, 0.0};
  EXPECT_TRUE(effect.StateMatches(values, 1));
  EXPECT_FALSE(effect.StateMatches(values, 0));
}
