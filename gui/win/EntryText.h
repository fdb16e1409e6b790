#pragma once
// The text of a single-line entry field while it is edited: the characters, the caret and
// the selection (between the anchor and the caret), the most characters it takes and the
// characters it refuses. Typing replaces the selection; Backspace and Delete always work.

#include <string>

class EntryText {
 public:
  enum Filter {
    kAnyCharacter,
    kWholeNumber,    // '0'-'9', '-' and '+'
    kDecimalNumber,  // '0'-'9', '-', '+' and '.'
  };

  // The text starts wholly selected.
  EntryText(const char* text, int lengthLimit, Filter filter);

  const std::string& Text() const { return text_; }
  int Caret() const { return caret_; }
  bool HasSelection() const { return anchor_ != caret_; }
  int SelectionStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  int SelectionEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }

  // False when the filter refuses the character or the text is full.
  bool Type(char c);
  void Backspace();
  void Delete();
  // Moves the caret to position; extend keeps the anchor where it is.
  void MoveTo(int position, bool extend);
  int Length() const { return static_cast<int>(text_.size()); }

 private:
  bool Accepts(char c) const;
  void EraseSelection();

  std::string text_;
  int caret_;
  int anchor_ = 0;
  int lengthLimit_;
  Filter filter_;
};
