#include "ValueBoxControl.h"

#include <cstdio>

#include "core/EffectBase.h"
#include "gui/Graphics.h"
#include "raster/FillArea.h"

namespace {
constexpr PIX_PixelValue kEditorGround = 0xFF2B3440;
constexpr PIX_PixelValue kBoxGround = 0xFF3A4654;
constexpr PIX_PixelValue kBoxEdge = 0xFF8FA3B8;
constexpr IArgbColour kNameColour{255, 143, 163, 184};
constexpr int kInset = 6;
constexpr int kNameTop = 8;
constexpr int kNameSize = 11;

void Fill(IGraphics& graphics, const IRectangle& r, PIX_PixelValue colour) {
  PIX_FillArea(graphics.Surface(), r.left, r.top, r.right - r.left, r.bottom - r.top, colour, 1.0f,
               PIX_COMBINE_COPY);
}
}  // namespace

ValueBoxControl::ValueBoxControl(IEffectBase* plugin, const IRectangle& rect, int paramIdx,
                                 const ITextStyle& style)
    : IControl(plugin, rect, paramIdx),
      nameStyle_(kNameSize, &kNameColour, style.fontName, FONT_NORMAL, ALIGN_CENTRE) {
  textStyle_ = style;
  SetPromptingDisabled(false);
}

void ValueBoxControl::HandleMousePress(int, int, const IMouseModifiers&) { PromptForValue(); }

// A framed box with the name at its top and the value with its label in its middle, where
// the text field of the prompt opens.
bool ValueBoxControl::Render(IGraphics& graphics) {
  const IEffectParameter* parameter = plugin_->Parameter(paramIdx_);
  if (parameter == nullptr) return false;
  const IRectangle box{rect_.left + kInset, rect_.top + kInset, rect_.right - kInset,
                       rect_.bottom - kInset};
  Fill(graphics, rect_, kEditorGround);
  Fill(graphics, box, kBoxEdge);
  Fill(graphics, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, kBoxGround);
  IRectangle nameRect{box.left, rect_.top + kNameTop, box.right, box.bottom};
  graphics.RenderTextBox(nameStyle_, parameter->Name(), nameRect, false);
  char value[IEffectParameter::kDisplaySize];
  parameter->DisplayTextFor(false, value, true, parameter->PlainValue());
  char shown[IEffectParameter::kDisplaySize + IEffectParameter::kTextSize + 2];
  std::snprintf(shown, sizeof shown, "%s %s", value, parameter->HostLabel());
  const int middle = (rect_.top + rect_.bottom) / 2;
  IRectangle valueRect{box.left, middle - textStyle_.size / 2 - 1, box.right, box.bottom};
  graphics.RenderTextBox(textStyle_, shown, valueRect, false);
  return true;
}
