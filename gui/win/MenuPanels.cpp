#include "gui/win/MenuPanels.h"

namespace {
constexpr int kLargestIdentifier = 0xFFFF;
}  // namespace

MenuPanels::MenuPanels(IChoiceMenu& menu) {
  int next = 0;
  Add(menu, next);
}

int MenuPanels::Add(IChoiceMenu& menu, int& next) {
  const int index = static_cast<int>(panels_.size());
  const int first = next;
  panels_.push_back(MenuPanel{&menu, first, {}});
  next += menu.ItemCount();
  for (int i = 0; i < menu.ItemCount(); ++i) {
    const IChoiceMenuItem& item = *menu.Item(i);
    MenuRow row;
    row.flags = item.flags;
    if (!row.IsSeparator()) {
      row.label = menu.Label(i);
      if (item.submenu != nullptr) {
        row.submenu = Add(*item.submenu, next);
      } else {
        row.identifier = first + i;
      }
    }
    panels_[static_cast<size_t>(index)].rows.push_back(row);
  }
  return index;
}

IChoiceMenu* MenuPanels::Choose(int identifier) const {
  if (identifier < 0 || identifier > kLargestIdentifier) return nullptr;
  for (const MenuPanel& panel : panels_) {
    const int count = panel.menu->ItemCount();
    if (identifier >= panel.first && identifier < panel.first + count) {
      panel.menu->SetChosenIndex(identifier - panel.first);
      return panel.menu;
    }
  }
  return nullptr;
}
