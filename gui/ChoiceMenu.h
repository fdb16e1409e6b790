#pragma once
// A popup menu of choices, possibly with submenus, as the editor hands it to the window
// system. After the menu has run, the menu that holds the chosen item knows its index.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IChoiceMenu;

struct IChoiceMenuItem {
  enum Flags : int32_t {
    ITEM_DISABLED = 1,
    ITEM_HEADING = 2,
    ITEM_TICKED = 4,
    ITEM_SEPARATOR = 8,
  };

  IChoiceMenuItem(const char* text, int32_t flags);

  std::string text;
  std::unique_ptr<IChoiceMenu> submenu;
  int32_t flags;
};

class IChoiceMenu {
 public:
  enum Numbering : int32_t {
    NUMBERING_NONE = 0,
    NUMBERING_PLAIN = 1,      // "1: text"
    NUMBERING_TWO_DIGIT = 2,  // "01: text"
    NUMBERING_THREE_DIGIT = 3,
  };

  explicit IChoiceMenu(Numbering numbering = NUMBERING_NONE) : numbering_(numbering) {}

  IChoiceMenuItem& AddItem(const char* text, int32_t flags = 0);
  int ItemCount() const { return static_cast<int>(items_.size()); }
  // Null when index is outside 0..ItemCount()-1.
  IChoiceMenuItem* Item(int index) const;
  // The text shown for item index: its text, numbered from 1 by the numbering style.
  std::string Label(int index) const;

  Numbering NumberingStyle() const { return numbering_; }
  int ChosenIndex() const { return chosenIndex_; }
  void SetChosenIndex(int index) { chosenIndex_ = index; }

 private:
  Numbering numbering_;
  int32_t chosenIndex_ = -1;
  std::vector<std::unique_ptr<IChoiceMenuItem>> items_;
};
