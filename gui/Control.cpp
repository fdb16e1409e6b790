#include "gui/Control.h"

#include "core/EffectBase.h"
#include "gui/Graphics.h"
#include "gui/RectangleOps.h"

namespace {
constexpr float kGreyedWeight = 0.25f;
constexpr double kWheelStep = 0.01;
constexpr double kFineWheelStep = 0.001;
// Half the size of the text field opened over a control without display texts.
constexpr int kEntryHalfWidth = 20;
constexpr int kEntryHalfHeight = 8;
}  // namespace

IControl::IControl(IEffectBase* plugin, const IRectangle& rect, int paramIdx,
                   const IBlendSpec& blend)
    : plugin_(plugin), rect_(rect), targetRect_(rect), paramIdx_(paramIdx), blend_(blend) {}

void IControl::HandleMousePress(int, int, const IMouseModifiers& modifiers) {
  if (modifiers.right) PromptForValue();
}

void IControl::HandleDoubleClick(int, int, const IMouseModifiers&) {
  if (defaultValue_ < 0.0) return;
  value_ = defaultValue_;
  MarkDirty(true);
}

void IControl::ApplyValueFromPlugin(double value) {
  if (defaultValue_ < 0.0) value_ = defaultValue_ = value;
  if (value_ == value) return;
  value_ = value;
  MarkDirty(false);
  redrawAgain_ = true;
}

void IControl::ApplyValueFromEntry(double value) {
  if (value_ == value) return;
  value_ = value;
  MarkDirty(true);
  redrawAgain_ = true;
}

void IControl::SetHidden(bool hidden) {
  hidden_ = hidden;
  redrawAgain_ = true;
  MarkDirty(false);
}

void IControl::SetGreyed(bool greyed) {
  greyed_ = greyed;
  blend_.weight = greyed ? kGreyedWeight : 1.0f;
  MarkDirty(false);
}

bool IControl::HitTest(int x, int y) { return Contains(targetRect_, x, y); }

void IControl::MarkDirty(bool notifyPlugin) {
  if (value_ < clampLow_) {
    value_ = clampLow_;
  } else if (value_ > clampHigh_) {
    value_ = clampHigh_;
  }
  dirty_ = true;
  if (notifyPlugin && plugin_ != nullptr && paramIdx_ >= 0) {
    plugin_->SetParameterFromEditor(paramIdx_, value_);
  }
}

void IControl::MarkDrawn() {
  dirty_ = redrawAgain_;
  redrawAgain_ = false;
}

void IControl::ApplyAuxValueFromPlugin(int position, double value) {
  if (position < 0 || position >= static_cast<int>(auxParams_.size())) return;
  IAuxParam& aux = auxParams_[static_cast<size_t>(position)];
  if (aux.value == value) return;
  aux.value = value;
  MarkDirty(false);
  redrawAgain_ = true;
}

void IControl::PromptForValue() {
  if (plugin_ == nullptr || paramIdx_ < 0 || promptingDisabled_) return;
  IEffectParameter* parameter = plugin_->Parameter(paramIdx_);
  auto* graphics = dynamic_cast<IGraphics*>(plugin_->Editor());
  if (parameter == nullptr || graphics == nullptr) return;
  if (parameter->DisplayTextCount() > 0) {
    graphics->PromptParamEntry(this, parameter, rect_);
  } else {
    const int cx = MiddleX(rect_), cy = MiddleY(rect_);
    graphics->PromptParamEntry(this, parameter,
                               {cx - kEntryHalfWidth, cy - kEntryHalfHeight,
                                cx + kEntryHalfWidth, cy + kEntryHalfHeight});
  }
  redrawAgain_ = true;
}

void IControl::AddAuxParam(int paramIdx) { auxParams_.push_back({0.0, paramIdx}); }

int IControl::AuxParamPosition(int paramIdx) const {
  for (size_t i = 0; i < auxParams_.size(); ++i) {
    if (auxParams_[i].paramIdx == paramIdx) return static_cast<int>(i);
  }
  return -1;
}

double IControl::AuxValue(int position) const {
  if (position < 0 || position >= static_cast<int>(auxParams_.size())) return 0.0;
  return auxParams_[static_cast<size_t>(position)].value;
}

void IControl::StepValueByWheel(const IMouseModifiers& modifiers, int steps) {
  value_ += steps * (modifiers.Fine() ? kFineWheelStep : kWheelStep);
  MarkDirty(true);
}
