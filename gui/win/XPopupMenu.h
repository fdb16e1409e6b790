#pragma once
// A modal popup menu of our own. Each open panel (the top menu, and the submenu of the
// highlighted row of the panel before it) is an override-redirect window drawn in the
// dialog look: rows with their labels, ticks, greyed texts, headings, separators and
// submenu arrows. While it runs the pointer and the keyboard are grabbed: the pointer
// highlights and opens submenus; a release over an enabled command chooses it (after a
// press in the menu, or after a move for the press that opened it); a press outside every
// panel dismisses the menu. Up and Down move the highlight, Right and Left open and close
// submenus, Return chooses and Escape closes the innermost panel (the last one dismisses
// the menu).

#include <functional>
#include <memory>
#include <vector>

#include "gui/win/DialogLook.h"
#include "gui/win/MenuPanels.h"
#include "gui/win/XDisplayConnection.h"

class XPictureWindow;
union _XEvent;

class XPopupMenu {
 public:
  XPopupMenu(XDisplayConnection& connection, const MenuPanels& panels, const DialogLook& look);
  ~XPopupMenu();
  XPopupMenu(const XPopupMenu&) = delete;
  XPopupMenu& operator=(const XPopupMenu&) = delete;

  // Shows the top panel with its top-left corner at the screen position and waits until
  // a command is chosen (its identifier) or the menu is dismissed (-1). pump runs between
  // waits of a few milliseconds; when it returns false the menu is dismissed. A menu
  // without rows, or one that cannot take the pointer, is dismissed at once.
  int Run(int screenX, int screenY, const std::function<bool()>& pump);

 private:
  struct OpenPanel {
    int panel = 0;
    int highlighted = -1;
    IRectangle area{0, 0, 0, 0};  // on the screen
    std::unique_ptr<XPictureWindow> window;
  };

  const std::vector<MenuRow>& RowsOf(const OpenPanel& open) const;
  int RowHeight(const MenuRow& row) const;
  int RowTop(const OpenPanel& open, int row) const;
  void Open(int panel, int x, int y);
  void CloseFrom(size_t depth);
  void Draw(OpenPanel& open);
  void DrawRow(OpenPanel& open, int row, int top);
  bool GrabInput();
  bool NextEvent(_XEvent& event);
  void Handle(const _XEvent& event);
  // The deepest open panel holding the screen point, and its row there (-1 for none).
  bool Find(int x, int y, size_t& depth, int& row) const;
  void Hover(int x, int y);
  void Highlight(size_t depth, int row);
  void Release(int x, int y);
  void Key(unsigned long keysym);
  void MoveHighlight(int direction);
  void Activate(size_t depth, int row, bool fromKeyboard);
  void OpenSubmenu(size_t depth, int row);

  XDisplayConnection& connection_;
  const MenuPanels& panels_;
  DialogLook look_;
  std::vector<OpenPanel> open_;
  bool pressedInside_ = false;
  bool pointerMoved_ = false;
  bool done_ = false;
  int chosen_ = -1;
};
