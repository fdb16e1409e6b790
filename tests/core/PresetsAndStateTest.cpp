#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "TestEffect.h"

namespace {
std::vector<uint8_t> Bytes(const IStateChunk& chunk) {
  return {chunk.Bytes(), chunk.Bytes() + chunk.ByteCount()};
}

void Fill(IStateChunk& chunk, const std::vector<uint8_t>& bytes) {
  chunk.ResizeZeroFill(static_cast<int>(bytes.size()));
  if (!bytes.empty()) std::memcpy(chunk.Bytes(), bytes.data(), bytes.size());
}

std::vector<double> Values(const IEffectBase& effect) {
  std::vector<double> values;
  for (int i = 0; i < effect.ParameterCount(); ++i) values.push_back(effect.Parameter(i)->PlainValue());
  return values;
}
}  // namespace

TEST(Presets, FreshPresetsAreEmptyAndUninitialised) {
  TestEffect effect;
  for (int i = 0; i < 4; ++i) {
    EXPECT_STREQ(effect.PresetName(i), "empty");
    EXPECT_FALSE(effect.PresetInitialised(i));
  }
  EXPECT_EQ(effect.CurrentPreset(), 0);
  EXPECT_STREQ(effect.PresetName(4), "");
}

TEST(Presets, AddsFillSlotsInOrderAndStopWhenFull) {
  TestEffect effect;
  const double values[] = {1, 2, 3};
  for (int i = 0; i < 5; ++i) effect.AddPresetFromValues(("p" + std::to_string(i)).c_str(), values);
  EXPECT_STREQ(effect.PresetName(3), "p3");
  EXPECT_EQ(effect.FirstFreePreset(), nullptr);
  EXPECT_EQ(Values(effect), (std::vector<double>{0, 0, 0}));  // live values untouched
  ASSERT_TRUE(effect.LoadPreset(2));
  EXPECT_EQ(Values(effect), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(effect.CurrentPreset(), 2);
  EXPECT_EQ(effect.presetsChanged, 1);
}

TEST(Presets, LoadingAnEmptySlotNamesItAfterTheUserPresets) {
  TestEffect effect;
  const double values[] = {0, 0, 0};
  effect.AddPresetFromValues("user preset 1", values);
  effect.Parameter(0)->SetClamped(4.0);
  ASSERT_TRUE(effect.LoadPreset(1));
  EXPECT_STREQ(effect.PresetName(1), "user preset 2");
  EXPECT_TRUE(effect.PresetInitialised(1));
  effect.Parameter(0)->SetClamped(0.0);
  ASSERT_TRUE(effect.LoadPreset(1));
  EXPECT_EQ(effect.Parameter(0)->PlainValue(), 4.0);
}

TEST(Presets, OutOfRangeLoadsFailAndKeepTheCurrentIndex) {
  TestEffect effect;
  EXPECT_FALSE(effect.LoadPreset(-1));
  EXPECT_FALSE(effect.LoadPreset(4));
  EXPECT_EQ(effect.CurrentPreset(), 0);
}

TEST(Presets, ModifyCurrentPresetRecapturesAndRenamesOnlyWithAName) {
  TestEffect effect;
  effect.AddPresetsFromCurrentState(nullptr, 1);
  EXPECT_STREQ(effect.PresetName(0), "Empty");
  effect.Parameter(2)->SetClamped(-2.5);
  effect.ModifyCurrentPreset("");
  EXPECT_STREQ(effect.PresetName(0), "Empty");
  effect.ModifyCurrentPreset("Mine");
  EXPECT_STREQ(effect.PresetName(0), "Mine");
  effect.Parameter(2)->SetClamped(0.0);
  ASSERT_TRUE(effect.LoadPreset(0));
  EXPECT_EQ(effect.Parameter(2)->PlainValue(), -2.5);
}

TEST(Presets, WithoutParametersAnInitialisedPresetDoesNotLoad) {
  TestEffect effect(0);
  effect.AddPresetsFromCurrentState("x", 1);
  EXPECT_TRUE(effect.PresetInitialised(0));
  EXPECT_FALSE(effect.LoadPreset(0));
}

TEST(State, ProgramBlockLayoutIsLittleEndianDoubles) {
  TestEffect effect;
  effect.Parameter(1)->SetClamped(-3.0);
  effect.Parameter(2)->SetClamped(2.5);
  IStateChunk chunk;
  WriteChunkHeader(chunk);
  ASSERT_TRUE(effect.SaveState(chunk));
  const std::vector<uint8_t> expected = {
      0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00,  // header
      0, 0, 0, 0, 0, 0, 0, 0,                          // 0.0
      0, 0, 0, 0, 0, 0, 0x08, 0xC0,                    // -3.0
      0, 0, 0, 0, 0, 0, 0x04, 0x40};                   // 2.5
  EXPECT_EQ(Bytes(chunk), expected);
}

TEST(State, ShortStateSetsWhatItHoldsAndZeroesTheNext) {
  TestEffect effect;
  effect.Parameter(2)->SetClamped(7.0);
  IStateChunk source;
  source.AppendDouble(1.5);
  source.AppendDouble(-20.0);  // limited to the range
  source.AppendInt32(0);       // 4 stray bytes: 20 in all
  effect.notified.clear();
  EXPECT_EQ(effect.UnserializeParams(source, 0), -1);
  EXPECT_EQ(Values(effect), (std::vector<double>{1.5, -10.0, 0.0}));
  EXPECT_EQ(effect.notified, (std::vector<int>{0, 1, 2}));
}

TEST(State, NonFiniteValuesCountAsMissing) {
  for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
    TestEffect effect;
    effect.Parameter(1)->SetClamped(5.0);
    effect.Parameter(2)->SetClamped(5.0);
    IStateChunk source;
    source.AppendDouble(1.0);
    source.AppendDouble(bad);
    source.AppendDouble(2.0);
    EXPECT_EQ(effect.UnserializeParams(source, 0), -1);
    EXPECT_EQ(Values(effect), (std::vector<double>{1.0, 0.0, 5.0}));
  }
}

TEST(State, BankLayoutAndRoundTrip) {
  TestEffect effect;
  effect.AddPresetsFromCurrentState("empty", 4);
  IStateChunk bank;
  WriteChunkHeader(bank);
  ASSERT_TRUE(effect.SerializePresets(bank));
  EXPECT_EQ(bank.ByteCount(), 8 + 4 * (4 + 5 + 1 + 24));

  TestEffect other;
  const double values[] = {1, 2, 3};
  other.AddPresetFromValues("Loud", values);
  IStateChunk otherBank;
  WriteChunkHeader(otherBank);
  other.SerializePresets(otherBank);
  // An uninitialised preset stores only its name and a zero flag.
  EXPECT_EQ(otherBank.ByteCount(), 8 + (4 + 4 + 1 + 24) + 3 * (4 + 5 + 1));

  TestEffect restored;
  int position = 0;
  ASSERT_EQ(ReadChunkHeader(otherBank, &position), IStateChunk::kFormatVersion);
  EXPECT_EQ(restored.UnserializePresets(otherBank, position), otherBank.ByteCount());
  EXPECT_STREQ(restored.PresetName(0), "Loud");
  EXPECT_EQ(Values(restored), (std::vector<double>{1, 2, 3}));
  IStateChunk again;
  WriteChunkHeader(again);
  restored.SerializePresets(again);
  EXPECT_EQ(Bytes(again), Bytes(otherBank));
}

TEST(State, TruncatedBankKeepsLaterPresetsAndRestoresTheCurrentOne) {
  TestEffect source;
  const double a[] = {1, 1, 1}, b[] = {2, 2, 2};
  source.AddPresetFromValues("A", a);
  source.AddPresetFromValues("B", b);
  IStateChunk bank;
  source.SerializePresets(bank);
  std::vector<uint8_t> bytes = Bytes(bank);
  bytes.resize(4 + 1 + 1 + 24 + 2);  // preset A whole, B cut inside its name length
  IStateChunk cut;
  Fill(cut, bytes);

  TestEffect target;
  const double c[] = {3, 3, 3};
  target.AddPresetFromValues("C", c);
  target.AddPresetFromValues("D", c);
  EXPECT_EQ(target.UnserializePresets(cut, 0), -1);
  EXPECT_STREQ(target.PresetName(0), "A");
  EXPECT_STREQ(target.PresetName(1), "D");
  EXPECT_EQ(Values(target), (std::vector<double>{1, 1, 1}));
}
