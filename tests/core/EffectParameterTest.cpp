#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/EffectParameter.h"

namespace {
// A decibel parameter as the mid/side effect defines them.
struct Decibels : IEffectParameter {
  explicit Decibels(double shape) {
    InitContinuous("Gain", 0.0, -94.0, 6.0, 0.01, "dB", "", 1.0);
    ChangeShape(shape);
  }
};

std::string Display(const IEffectParameter& p, double v, bool normalised = false) {
  char text[IEffectParameter::kDisplaySize];
  p.DisplayTextFor(normalised, text, true, v);
  return text;
}
}  // namespace

TEST(EffectParameter, FreshRecordIsLinearOverZeroToOne) {
  IEffectParameter p;
  EXPECT_EQ(p.NormalisedOf(0.0), 0.0);
  EXPECT_EQ(p.NormalisedOf(1.0), 1.0);
  EXPECT_EQ(p.Kind(), IEffectParameter::kUninitialised);
}

TEST(EffectParameter, InitContinuousDerivesMaximumAndPrecision) {
  Decibels p(1.0);
  EXPECT_EQ(p.Maximum(), 6.0);
  EXPECT_EQ(p.Decimals(), 2);
  EXPECT_EQ(p.Kind(), IEffectParameter::kContinuous);

  IEffectParameter narrow;
  narrow.InitContinuous("x", 0.0, 0.0, 0.5, 1.0, "", "", 0.0);
  EXPECT_EQ(narrow.Maximum(), 1.0);
  EXPECT_EQ(narrow.Shape(), 1.0);  // shape 0 keeps the current shape

  const struct { double step; int precision; } steps[] = {
      {1, 0}, {0.5, 1}, {0.1, 1}, {0.01, 2}, {0.25, 2}, {0.001, 3}, {0.0000001, 6}};
  for (const auto& s : steps) {
    IEffectParameter q;
    q.InitContinuous("q", 0.0, 0.0, 10.0, s.step, "", "", 1.0);
    EXPECT_EQ(q.Decimals(), s.precision) << s.step;
  }
}

TEST(EffectParameter, NormalisedMappingUsesShapeAndLimitsRange) {
  IEffectParameter p;
  p.InitContinuous("x", 0.0, 0.0, 100.0, 1.0, "", "", 2.0);
  EXPECT_NEAR(p.NormalisedOf(25.0), 0.5, 1e-12);
  p.SetFromNormalised(0.5);
  EXPECT_NEAR(p.PlainValue(), 25.0, 1e-12);
  EXPECT_EQ(p.NormalisedOf(-5.0), 0.0);
  EXPECT_EQ(p.NormalisedOf(500.0), 1.0);
}

TEST(EffectParameter, DecibelShapesPlaceZeroDbHighOnTheTravel) {
  EXPECT_NEAR(Decibels(0.09).NormalisedOf(0.0), 0.5028, 1e-4);
  EXPECT_NEAR(Decibels(0.19).NormalisedOf(0.0), 0.7221, 1e-4);
  Decibels gain(0.09);
  gain.SetFromNormalised(0.5);
  EXPECT_NEAR(gain.PlainValue(), -0.0477, 1e-4);  // not rounded to the step
  Decibels mono(0.19);
  mono.SetFromNormalised(0.5);
  EXPECT_NEAR(mono.PlainValue(), -6.3394, 1e-4);
}

TEST(EffectParameter, IntegerKindSnapsToNearestWholeHalvesUp) {
  IEffectParameter p;
  p.InitInteger("Steps", 0, 0, 10, "", "");
  EXPECT_EQ(p.Kind(), IEffectParameter::kInteger);
  p.SetFromNormalised(0.26);
  EXPECT_EQ(p.PlainValue(), 3.0);
  p.SetFromNormalised(0.25);
  EXPECT_EQ(p.PlainValue(), 3.0);
  p.SetFromNormalised(1.0);
  EXPECT_EQ(p.PlainValue(), 10.0);
}

TEST(EffectParameter, SetClampedLimitsAndIgnoresNaN) {
  Decibels p(1.0);
  p.SetClamped(-200.0);
  EXPECT_EQ(p.PlainValue(), -94.0);
  p.SetClamped(std::numeric_limits<double>::infinity());
  EXPECT_EQ(p.PlainValue(), 6.0);
  p.SetClamped(std::nan(""));
  EXPECT_EQ(p.PlainValue(), 6.0);
  p.SetFromNormalised(std::nan(""));
  EXPECT_EQ(p.PlainValue(), 6.0);
}

TEST(EffectParameter, DisplayTextRoundsToPrecisionOrTruncates) {
  Decibels p(1.0);
  EXPECT_EQ(Display(p, -3.14159), "-3.14");
  EXPECT_EQ(Display(p, 1.0, true), "6.00");
  IEffectParameter whole;
  whole.InitContinuous("w", 0.0, -10.0, 10.0, 1.0, "", "", 1.0);
  EXPECT_EQ(Display(whole, -0.7), "0");
  EXPECT_EQ(Display(whole, std::nan("")), "0");
  EXPECT_EQ(Display(whole, 1e300), "2147483647");
  p.SetShowsNegated(true);
  EXPECT_EQ(Display(p, 0.0), "-0.00");
}

TEST(EffectParameter, DisplayTextsReplaceNumbersAndLabel) {
  IEffectParameter p;
  p.InitContinuous("Mode", 1.0, 0.0, 3.0, 1.0, "x", "", 1.0);
  p.AddDisplayText(1, "One");
  p.AddDisplayText(2, "");
  EXPECT_EQ(Display(p, 1.0), "One");
  EXPECT_EQ(Display(p, 2.0), "2");  // an empty text falls through to the number
  EXPECT_STREQ(p.HostLabel(), "");
  p.SetClamped(2.0);
  EXPECT_STREQ(p.HostLabel(), "x");
  char text[IEffectParameter::kDisplaySize];
  p.DisplayTextFor(false, text, false, 1.0);
  EXPECT_STREQ(text, "1");
  int value = -1;
  EXPECT_TRUE(p.ValueForDisplayText("One", &value));
  EXPECT_EQ(value, 1);
  EXPECT_FALSE(p.ValueForDisplayText("one", &value));
  EXPECT_EQ(value, 1);
}

TEST(EffectParameter, LongNamesAreCutToTheField) {
  IEffectParameter p;
  const std::string longName(100, 'n');
  p.InitContinuous(longName.c_str(), 0.0, 0.0, 1.0, 0.1, "dB", "", 1.0);
  EXPECT_EQ(std::string(p.Name()), std::string(31, 'n'));
}
