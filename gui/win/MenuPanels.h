#pragma once
// A choice menu laid out as the panels a popup menu shows: the top menu and each submenu,
// in the order they are built, with every command's identifier. A menu's items get the
// identifiers first .. first + count - 1, where first is the running identifier (0 for
// the top menu), which moves on by the count before the items are visited; submenus
// therefore get their ranges after the whole parent range, in the order they are met.

#include <string>
#include <vector>

#include "gui/ChoiceMenu.h"

struct MenuRow {
  std::string label;  // numbered as the menu's numbering style says
  int identifier = -1;  // of a command; -1 for separators and submenu rows
  int submenu = -1;     // the panel of a submenu row
  int32_t flags = 0;

  bool IsSeparator() const { return (flags & IChoiceMenuItem::ITEM_SEPARATOR) != 0; }
  // Greyed and heading rows show but cannot be chosen.
  bool IsEnabled() const {
    return (flags & (IChoiceMenuItem::ITEM_DISABLED | IChoiceMenuItem::ITEM_HEADING)) == 0;
  }
};

struct MenuPanel {
  IChoiceMenu* menu = nullptr;
  int first = 0;
  std::vector<MenuRow> rows;
};

class MenuPanels {
 public:
  explicit MenuPanels(IChoiceMenu& menu);

  // Panel 0 is the top menu.
  const std::vector<MenuPanel>& Panels() const { return panels_; }
  // The menu whose range holds identifier, with its chosen index set; null when none
  // does or the identifier is above 0xFFFF.
  IChoiceMenu* Choose(int identifier) const;

 private:
  int Add(IChoiceMenu& menu, int& next);

  std::vector<MenuPanel> panels_;
};
