#include "core/EffectParameter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/SafeNumbers.h"
#include "core/TextField.h"

namespace {
constexpr int kMaxPrecision = 6;

int PrecisionOfStep(double step) {
  int precision = 0;
  for (double s = step; s != std::floor(s) && precision < kMaxPrecision; s *= 10.0) ++precision;
  return precision;
}
}  // namespace

IEffectParameter::IEffectParameter() : displayTexts_(IHeapBuffer::kDefaultGranularity) {}

void IEffectParameter::InitContinuous(const char* name, double defaultValue, double minimum,
                                      double maximum, double step, const char* label,
                                      const char* group, double shape) {
  if (kind_ == kUninitialised) kind_ = kContinuous;
  CopyField(name_, kTextSize, name);
  CopyField(label_, kTextSize, label);
  CopyField(group_, kTextSize, group);
  minimum_ = minimum;
  value_ = defaultValue;
  default_ = defaultValue;
  maximum_ = std::max(maximum, minimum + step);
  step_ = step;
  precision_ = PrecisionOfStep(step);
  if (shape != 0.0) shape_ = shape;
}

void IEffectParameter::InitInteger(const char* name, int defaultValue, int minimum, int maximum,
                                   const char* label, const char* group) {
  if (kind_ == kUninitialised) kind_ = kInteger;
  InitContinuous(name, defaultValue, minimum, maximum, 1.0, label, group, 1.0);
}

void IEffectParameter::InitEnumeration(const char* name, int defaultValue, int count,
                                       const char* label, const char* group) {
  if (kind_ == kUninitialised) kind_ = kEnumeration;
  InitInteger(name, defaultValue, 0, count - 1, label, group);
}

void IEffectParameter::SetClamped(double v) {
  if (std::isnan(v)) return;
  if (v < minimum_) {
    value_ = minimum_;
  } else if (v > maximum_) {
    value_ = maximum_;
  } else {
    value_ = v;
  }
}

double IEffectParameter::PlainOf(double n) const {
  return std::pow(n, shape_) * (maximum_ - minimum_) + minimum_;
}

void IEffectParameter::SetFromNormalised(double n) {
  double v = PlainOf(n);
  if (std::isnan(v)) return;
  if (kind_ != kContinuous) v = std::floor(v / step_ + 0.5) * step_;
  // Only the upper bound is enforced here; integer kinds may snap below the minimum.
  value_ = v < maximum_ ? v : maximum_;
}

double IEffectParameter::NormalisedOf(double v) const {
  if (v < minimum_) {
    v = minimum_;
  } else if (v > maximum_) {
    v = maximum_;
  }
  return std::pow((v - minimum_) / (maximum_ - minimum_), 1.0 / shape_);
}

const IValueText* IEffectParameter::DisplayTextAt(double v) const {
  const int whole = TruncateToInt(v);
  const IValueText* texts = DisplayTexts();
  for (int i = 0; i < DisplayTextCount(); ++i) {
    if (texts[i].value == whole) return &texts[i];
  }
  return nullptr;
}

void IEffectParameter::DisplayTextFor(bool normalised, char* out, bool useDisplayTexts,
                                      double v) const {
  if (normalised) v = PlainOf(v);
  if (useDisplayTexts) {
    const IValueText* entry = DisplayTextAt(v);
    if (entry != nullptr && entry->text[0] != '\0') {
      CopyField(out, kDisplaySize, entry->text);
      return;
    }
  }
  if (negateDisplay_) v = -v;
  if (precision_ == 0) {
    std::snprintf(out, kDisplaySize, "%d", TruncateToInt(v));
  } else {
    std::snprintf(out, kDisplaySize, "%.*f", precision_, v);
  }
}

const char* IEffectParameter::HostLabel() const {
  const IValueText* entry = DisplayTextAt(value_);
  return entry != nullptr && entry->text[0] != '\0' ? "" : label_;
}

bool IEffectParameter::AddDisplayText(int value, const char* text) {
  const int count = DisplayTextCount();
  const int wanted = (count + 1) * static_cast<int>(sizeof(IValueText));
  displayTexts_.SetByteSize(wanted, false);
  if (displayTexts_.ByteCount() != wanted) return false;
  IValueText& entry = displayTexts_.As<IValueText>()[count];
  entry.value = value;
  CopyField(entry.text, kTextSize, text);
  return true;
}

int IEffectParameter::DisplayTextCount() const {
  return displayTexts_.ByteCount() / static_cast<int>(sizeof(IValueText));
}

bool IEffectParameter::ValueForDisplayText(const char* text, int* value) const {
  const IValueText* texts = DisplayTexts();
  for (int i = 0; i < DisplayTextCount(); ++i) {
    if (std::strcmp(texts[i].text, text) == 0) {
      *value = texts[i].value;
      return true;
    }
  }
  return false;
}
