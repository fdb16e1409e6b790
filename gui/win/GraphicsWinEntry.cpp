// The in-place text entry of IGraphicsWin and its states: 0 idle, 1 the field has the
// focus, 2 a tick ran while it was open, 3 cancel requested, 4 commit requested. The
// field's focus, Return and Escape, and presses and wheel turns in the editor request a
// commit or cancel; the next tick carries it out and closes the field.

#include <X11/Xlib.h>

#include <cmath>
#include <cstdlib>

#include "core/EffectParameter.h"
#include "gui/Control.h"
#include "gui/win/GraphicsWin.h"
#include "gui/win/XErrorTrap.h"
#include "gui/win/XTextEntry.h"

namespace {
constexpr int kLongestCommittedText = 31;
constexpr int kMiddleButton = 2;

EntryText::Filter FilterOf(const IEffectParameter* parameter) {
  if (parameter == nullptr) return EntryText::kAnyCharacter;
  switch (parameter->Kind()) {
    case IEffectParameter::kBoolean:
    case IEffectParameter::kInteger:
    case IEffectParameter::kEnumeration: return EntryText::kWholeNumber;
    case IEffectParameter::kContinuous: return EntryText::kDecimalNumber;
    default: return EntryText::kAnyCharacter;
  }
}

// Enumerations and switches take the value of the display text; other kinds the leading
// number of the text (0 for none), as the parameter displays it.
double EnteredValue(const IEffectParameter& parameter, const char* text) {
  const int kind = parameter.Kind();
  if (kind == IEffectParameter::kEnumeration || kind == IEffectParameter::kBoolean) {
    int value = 0;
    return parameter.ValueForDisplayText(text, &value) ? value : 0.0;
  }
  double value = std::strtod(text, nullptr);
  if (!std::isfinite(value)) value = 0.0;
  return parameter.ShowsNegated() ? -value : value;
}
}  // namespace

void IGraphicsWin::BeginTextEntry(IControl* control, const ITextStyle& style,
                                  const IRectangle& rect, const char* text,
                                  IEffectParameter* parameter) {
  if (control == nullptr || entry_ != nullptr || window_ == nullptr) return;
  const EntryText entryText(text, control->EntryLengthLimit(), FilterOf(parameter));
  XErrorTrap trap(*connection_);
  auto entry = std::make_unique<XTextEntry>(*connection_, window_->Id(), rect, LookOf(style),
                                            style.alignment, entryText);
  if (!trap.Sync()) return;
  entry->TakeFocus();
  entry_ = std::move(entry);
  entryControl_ = control;
  entryParameter_ = parameter;
  entryState_ = kEntryIdle;
}

void IGraphicsWin::CancelTextEntry() { entryState_ = kEntryCancel; }

void IGraphicsWin::HandleEntryEvents() {
  if (entry_ == nullptr) return;
  XErrorTrap trap(*connection_);
  XEvent event;
  while (entry_->NextEvent(event)) {
    switch (entry_->Handle(event)) {
      case XTextEntry::kFocusGained: entryState_ = kEntryFocused; break;
      case XTextEntry::kFocusLost:
      case XTextEntry::kReturn: entryState_ = kEntryCommit; break;
      case XTextEntry::kEscape: entryState_ = kEntryCancel; break;
      case XTextEntry::kPaste: PasteIntoEntry(); break;
      default: break;
    }
  }
}

void IGraphicsWin::PasteIntoEntry() {
  std::string text;
  if (ReadClipboardText(text)) entry_->Paste(text);
}

// A press in the editor cancels the entry while the field has the focus (a middle press
// does nothing then) and commits it otherwise; a wheel turn cancels it unless the field
// has the focus.
void IGraphicsWin::InterruptEntry(const WindowEvent& event) {
  const bool focused = entryState_ == kEntryFocused;
  if (event.kind == WindowEvent::kWheel) {
    if (!focused) entryState_ = kEntryCancel;
  } else if (!focused) {
    entryState_ = kEntryCommit;
  } else if (event.button != kMiddleButton) {
    entryState_ = kEntryCancel;
  }
}

// True when the tick is used up by closing the entry or skipping the redraw for it.
bool IGraphicsWin::TickEntry() {
  if (entry_ == nullptr) return false;
  if (entryState_ == kEntryIdle) {
    entryState_ = kEntryRedrawn;
    return false;
  }
  if (entryState_ == kEntryCommit) CommitEntry();
  if (entryState_ == kEntryCommit || entryState_ == kEntryCancel) {
    CloseEntry();
  } else {
    entryState_ = kEntryIdle;
  }
  return true;
}

void IGraphicsWin::CommitEntry() {
  const std::string text = entry_->Text().substr(0, kLongestCommittedText);
  if (entryParameter_ == nullptr) {
    entryControl_->ApplyTextFromEntry(text.c_str());
    return;
  }
  const double value = EnteredValue(*entryParameter_, text.c_str());
  entryControl_->ApplyValueFromEntry(entryParameter_->NormalisedOf(value));
}

void IGraphicsWin::CloseEntry() {
  if (entry_ != nullptr) {
    XErrorTrap trap(*connection_);
    entry_.reset();
  }
  entryControl_ = nullptr;
  entryParameter_ = nullptr;
  entryState_ = kEntryIdle;
}
