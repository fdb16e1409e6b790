#include "ValueBoxControl.h"

#include <cstdio>

#include "core/EffectBase.h"
#include "gui/Graphics.h"
#include "raster/FillArea.h"

namespace {
constexpr PIX_PixelValue kBoxGround = 0xFF3A4654;
constexpr PIX_PixelValue kBoxEdge = 0xFF8FA3B8;
constexpr int kNameHeight = 18;

void Fill(IGraphics& graphics, const IRectangle& r, PIX_PixelValue colour) {
  PIX_FillArea(graphics.Surface(), r.left, r.top, r.right - r.left, r.bottom - r.top, colour, 1.0f,
               PIX_COMBINE_COPY);
}
}  // namespace

ValueBoxControl::ValueBoxControl(IEffectBase* plugin, const IRectangle& rect, int paramIdx,
                                 const ITextStyle& style)
    : IControl(plugin, rect, paramIdx) {
  textStyle_ = style;
  SetPromptingDisabled(false);
}

void ValueBoxControl::HandleMousePress(int, int, const IMouseModifiers&) { PromptForValue(); }

// The name above the box, the value with its label inside it.
bool ValueBoxControl::Render(IGraphics& graphics) {
  const IEffectParameter* parameter = plugin_->Parameter(paramIdx_);
  if (parameter == nullptr) return false;
  const IRectangle box{rect_.left, rect_.top + kNameHeight, rect_.right, rect_.bottom};
  Fill(graphics, rect_, 0xFF2B3440);
  Fill(graphics, box, kBoxEdge);
  Fill(graphics, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, kBoxGround);
  IRectangle nameRect{rect_.left, rect_.top, rect_.right, rect_.top + kNameHeight};
  graphics.RenderTextBox(textStyle_, parameter->Name(), nameRect, false);
  char value[IEffectParameter::kDisplaySize];
  parameter->DisplayTextFor(false, value, true, parameter->PlainValue());
  char shown[IEffectParameter::kDisplaySize + IEffectParameter::kTextSize + 2];
  std::snprintf(shown, sizeof shown, "%s %s", value, parameter->HostLabel());
  IRectangle valueRect{box.left, box.top + 5, box.right, box.bottom};
  graphics.RenderTextBox(textStyle_, shown, valueRect, false);
  return true;
}
