#pragma once
// One automatable parameter: its plain value in its own unit and range, the mapping to
// and from the normalised [0, 1] value that hosts and controls use (through a shape
// exponent), and the texts shown for a value.

#include "core/HeapBuffer.h"

// A text shown instead of a number for one whole value.
struct IValueText {
  int value;
  char text[32];
};

class IEffectParameter {
 public:
  enum Kind { kUninitialised = 0, kBoolean = 1, kInteger = 2, kEnumeration = 3, kContinuous = 4 };
  static constexpr int kTextSize = 32;
  // Room for any text DisplayTextFor can write.
  static constexpr int kDisplaySize = 400;

  IEffectParameter();

  void InitContinuous(const char* name, double defaultValue, double minimum, double maximum,
                      double step, const char* label, const char* group, double shape);
  // A whole-number parameter with step 1, linear mapping.
  void InitInteger(const char* name, int defaultValue, int minimum, int maximum,
                   const char* label, const char* group);
  // A choice among count values 0..count-1, each shown by the display text added for it.
  void InitEnumeration(const char* name, int defaultValue, int count, const char* label,
                       const char* group);
  void ChangeShape(double shape) { shape_ = shape; }

  double PlainValue() const { return value_; }
  const char* Name() const { return name_; }
  const char* Label() const { return label_; }
  const char* Group() const { return group_; }
  int Kind() const { return kind_; }
  double Minimum() const { return minimum_; }
  double Maximum() const { return maximum_; }
  double Step() const { return step_; }
  double Shape() const { return shape_; }
  double Default() const { return default_; }
  int Decimals() const { return precision_; }
  bool ShowsNegated() const { return negateDisplay_; }
  void SetShowsNegated(bool negated) { negateDisplay_ = negated; }

  // Limits v to [minimum, maximum] without snapping. A NaN leaves the value unchanged.
  void SetClamped(double v);
  // Maps n through the shape, snaps integer kinds to the step, limits to the maximum.
  // A NaN leaves the value unchanged.
  void SetFromNormalised(double n);
  double NormalisedValue() const { return NormalisedOf(value_); }
  double NormalisedOf(double v) const;
  // Plain value for normalised n, without limiting or snapping.
  double PlainOf(double n) const;

  // Writes the text for v (plain, or normalised when asked) into out, which holds
  // kDisplaySize bytes.
  void DisplayTextFor(bool normalised, char* out, bool useDisplayTexts, double v) const;
  const char* HostLabel() const;

  bool AddDisplayText(int value, const char* text);
  int DisplayTextCount() const;
  bool ValueForDisplayText(const char* text, int* value) const;

 private:
  // The first display text whose value equals v truncated, or null.
  const IValueText* DisplayTextAt(double v) const;
  const IValueText* DisplayTexts() const { return displayTexts_.As<IValueText>(); }

  int kind_ = kUninitialised;
  double value_ = 0.0;
  double minimum_ = 0.0;
  double maximum_ = 1.0;
  double step_ = 1.0;
  double shape_ = 1.0;
  double default_ = 0.0;
  int precision_ = 0;
  char name_[kTextSize] = "";
  char label_[kTextSize] = "";
  char group_[kTextSize] = "";
  bool negateDisplay_ = false;
  IHeapBuffer displayTexts_;
};
