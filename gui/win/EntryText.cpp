#include "gui/win/EntryText.h"

#include <algorithm>

namespace {
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDeleteCharacter = 0x7F;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

EntryText::EntryText(const char* text, int lengthLimit, Filter filter)
    : text_(text != nullptr ? text : ""),
      caret_(static_cast<int>(text_.size())),
      lengthLimit_(lengthLimit),
      filter_(filter) {}

bool EntryText::Accepts(char c) const {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < kFirstPrintable || byte == kDeleteCharacter) return false;
  switch (filter_) {
    case kWholeNumber: return IsDigit(c) || c == '-' || c == '+';
    case kDecimalNumber: return IsDigit(c) || c == '-' || c == '+' || c == '.';
    default: return true;
  }
}

bool EntryText::Type(char c) {
  if (!Accepts(c)) return false;
  if (Length() - (SelectionEnd() - SelectionStart()) >= lengthLimit_) return false;
  EraseSelection();
  text_.insert(static_cast<size_t>(caret_), 1, c);
  anchor_ = ++caret_;
  return true;
}

void EntryText::EraseSelection() {
  const int start = SelectionStart();
  text_.erase(static_cast<size_t>(start), static_cast<size_t>(SelectionEnd() - start));
  caret_ = anchor_ = start;
}

void EntryText::Backspace() {
  if (!HasSelection() && caret_ > 0) anchor_ = caret_ - 1;
  EraseSelection();
}

void EntryText::Delete() {
  if (!HasSelection() && caret_ < Length()) anchor_ = caret_ + 1;
  EraseSelection();
}

void EntryText::MoveTo(int position, bool extend) {
  caret_ = std::max(0, std::min(position, Length()));
  if (!extend) anchor_ = caret_;
}
