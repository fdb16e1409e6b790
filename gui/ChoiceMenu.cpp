#include "gui/ChoiceMenu.h"

#include <cstdio>

IChoiceMenuItem::IChoiceMenuItem(const char* text, int32_t flags)
    : text(text != nullptr ? text : ""), flags(flags) {}

IChoiceMenuItem& IChoiceMenu::AddItem(const char* text, int32_t flags) {
  items_.push_back(std::make_unique<IChoiceMenuItem>(text, flags));
  return *items_.back();
}

IChoiceMenuItem* IChoiceMenu::Item(int index) const {
  if (index < 0 || index >= ItemCount()) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

std::string IChoiceMenu::Label(int index) const {
  const IChoiceMenuItem* item = Item(index);
  if (item == nullptr) return "";
  static const char* const kPatterns[] = {"%1d: ", "%02d: ", "%03d: "};
  if (numbering_ < NUMBERING_PLAIN || numbering_ > NUMBERING_THREE_DIGIT) return item->text;
  char number[16];
  std::snprintf(number, sizeof number, kPatterns[numbering_ - 1], index + 1);
  return number + item->text;
}
