// The value prompt of IGraphics: a menu of the display texts for enumerations and
// labelled switches, a text field with the current value for every other parameter.

#include <cstring>

#include "core/EffectBase.h"
#include "gui/Control.h"
#include "gui/Graphics.h"

void IGraphics::PromptParamEntry(IControl* control, IEffectParameter* parameter,
                                 const IRectangle& rect) {
  if (control == nullptr || parameter == nullptr) return;
  const bool choice = parameter->Kind() == IEffectParameter::kEnumeration ||
                      (parameter->Kind() == IEffectParameter::kBoolean &&
                       parameter->DisplayTextCount() > 0);
  if (choice) {
    PromptWithMenu(*control, *parameter, rect);
  } else {
    PromptWithTextEntry(*control, *parameter, rect);
  }
}

// One item per value from 0 on, the current one ticked; the chosen value goes to the
// control as an entry.
void IGraphics::PromptWithMenu(IControl& control, IEffectParameter& parameter,
                               const IRectangle& rect) {
  char current[IEffectParameter::kDisplaySize];
  parameter.DisplayTextFor(false, current, true, parameter.PlainValue());
  IChoiceMenu menu;
  for (int i = 0; i < parameter.DisplayTextCount(); ++i) {
    char text[IEffectParameter::kDisplaySize];
    parameter.DisplayTextFor(false, text, true, i);
    menu.AddItem(text, std::strcmp(text, current) == 0 ? IChoiceMenuItem::ITEM_TICKED : 0);
  }
  if (RunPopupMenu(menu, rect) == nullptr) return;
  control.ApplyValueFromEntry(parameter.NormalisedOf(menu.ChosenIndex()));
}

void IGraphics::PromptWithTextEntry(IControl& control, IEffectParameter& parameter,
                                    const IRectangle& rect) {
  char text[IEffectParameter::kDisplaySize];
  parameter.DisplayTextFor(false, text, false, parameter.PlainValue());
  BeginTextEntry(&control, control.TextStyle(), rect, text, &parameter);
}
