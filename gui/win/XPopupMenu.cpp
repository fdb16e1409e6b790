#include "gui/win/XPopupMenu.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "gui/win/XErrorTrap.h"
#include "gui/win/XPictureWindow.h"
#include "platform/TextDraw.h"

namespace {
constexpr int kRowPadding = 3;
constexpr int kSeparatorHeight = 7;
constexpr int kTickColumn = 20;
constexpr int kArrowColumn = 20;
constexpr int kSmallestWidth = 80;
constexpr int kBorder = 1;
constexpr int kSubmenuOverlap = 2;
constexpr int kWaitMs = 10;
constexpr int kGrabAttempts = 40;
constexpr auto kGrabRetry = std::chrono::milliseconds(5);
constexpr long kPanelEvents = KeyPressMask;
constexpr unsigned kPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;

bool Holds(const IRectangle& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// A tick mark of two-pixel strokes, its short stroke ending at (x, y).
void DrawTick(PIX_IBitmap& target, int x, int y, PIX_PixelValue colour) {
  for (int i = 0; i < 3; ++i) FillBox(target, {x - 3 + i, y - 2 + i, x - 1 + i, y + i}, colour);
  for (int i = 0; i < 6; ++i) FillBox(target, {x + i, y - 1 - i, x + 2 + i, y + 1 - i}, colour);
}

// A small triangle pointing right, its tip at (x, y).
void DrawArrow(PIX_IBitmap& target, int x, int y, PIX_PixelValue colour) {
  for (int i = 0; i < 4; ++i) FillBox(target, {x - 4 + i, y - 3 + i, x - 3 + i, y + 4 - i}, colour);
}
}  // namespace

XPopupMenu::XPopupMenu(XDisplayConnection& connection, const MenuPanels& panels,
                       const DialogLook& look)
    : connection_(connection), panels_(panels), look_(look) {}

XPopupMenu::~XPopupMenu() {
  XErrorTrap trap(connection_);
  CloseFrom(0);
}

const std::vector<MenuRow>& XPopupMenu::RowsOf(const OpenPanel& open) const {
  return panels_.Panels()[static_cast<size_t>(open.panel)].rows;
}

int XPopupMenu::RowHeight(const MenuRow& row) const {
  return row.IsSeparator() ? kSeparatorHeight : look_.RowHeight() + 2 * kRowPadding;
}

int XPopupMenu::RowTop(const OpenPanel& open, int row) const {
  int top = kBorder;
  for (int i = 0; i < row; ++i) top += RowHeight(RowsOf(open)[static_cast<size_t>(i)]);
  return top;
}

// Placed at (x, y), moved back onto the screen where it would leave it; no larger than
// the screen.
void XPopupMenu::Open(int panel, int x, int y) {
  OpenPanel open;
  open.panel = panel;
  const std::vector<MenuRow>& rows = RowsOf(open);
  PIX_SysBitmap scratch(1, 1);
  int width = kSmallestWidth;
  for (const MenuRow& row : rows) {
    width = std::max(width, kTickColumn + look_.TextWidth(scratch, row.label.c_str()) +
                                kArrowColumn + 2 * kBorder);
  }
  Display* display = connection_.Handle();
  const int screenWidth = DisplayWidth(display, DefaultScreen(display));
  const int screenHeight = DisplayHeight(display, DefaultScreen(display));
  // Rows beyond the screen are cut off.
  width = std::min(width, screenWidth);
  const int height = std::min(RowTop(open, static_cast<int>(rows.size())) + kBorder, screenHeight);
  x = std::max(0, std::min(x, screenWidth - width));
  y = std::max(0, std::min(y, screenHeight - height));
  open.area = IRectangle{x, y, x + width, y + height};
  open.window = std::make_unique<XPictureWindow>(connection_, XPictureWindow::kPopup, 0, x, y,
                                                 width, height, kPanelEvents);
  open_.push_back(std::move(open));
  Draw(open_.back());
  open_.back().window->Map();
}

void XPopupMenu::CloseFrom(size_t depth) {
  while (open_.size() > depth) open_.pop_back();
}

void XPopupMenu::Draw(OpenPanel& open) {
  PIX_SysBitmap& picture = open.window->Picture();
  const IRectangle all{0, 0, picture.Width(), picture.Height()};
  FillBox(picture, all, look_.ground);
  FrameBox(picture, all, look_.text);
  const std::vector<MenuRow>& rows = RowsOf(open);
  for (int i = 0, top = kBorder; i < static_cast<int>(rows.size()); ++i) {
    DrawRow(open, i, top);
    top += RowHeight(rows[static_cast<size_t>(i)]);
  }
  open.window->Show();
}

void XPopupMenu::DrawRow(OpenPanel& open, int row, int top) {
  PIX_SysBitmap& picture = open.window->Picture();
  const MenuRow& r = RowsOf(open)[static_cast<size_t>(row)];
  const int right = picture.Width() - kBorder;
  const int bottom = top + RowHeight(r);
  if (r.IsSeparator()) {
    const int middle = (top + bottom) / 2;
    FillBox(picture, {kBorder + 4, middle, right - 4, middle + 1}, look_.Greyed());
    return;
  }
  // Greyed rows look it; headings look like commands but cannot be chosen either.
  const bool greyed = (r.flags & IChoiceMenuItem::ITEM_DISABLED) != 0;
  PIX_PixelValue colour = greyed ? look_.Greyed() : look_.text;
  if (row == open.highlighted) {
    FillBox(picture, {kBorder, top, right, bottom}, look_.text);
    colour = greyed ? look_.Greyed() : look_.ground;
  }
  const int middle = (top + bottom) / 2;
  if ((r.flags & IChoiceMenuItem::ITEM_TICKED) != 0) DrawTick(picture, kTickColumn / 2, middle + 2, colour);
  if (r.submenu >= 0) DrawArrow(picture, right - kArrowColumn / 2 + 2, middle, colour);
  look_.DrawText(picture, r.label.c_str(), {kBorder + kTickColumn, top, right - kArrowColumn, bottom},
                 0, colour);
}

int XPopupMenu::Run(int screenX, int screenY, const std::function<bool()>& pump) {
  if (panels_.Panels().empty() || panels_.Panels()[0].rows.empty()) return -1;
  {
    XErrorTrap trap(connection_);
    Open(0, screenX, screenY);
    trap.Sync();
  }
  if (!GrabInput()) {
    std::fprintf(stderr, "tessaly: the menu cannot take the pointer; it is closed\n");
    return -1;
  }
  while (!done_) {
    {
      XErrorTrap trap(connection_);
      XEvent event;
      while (!done_ && NextEvent(event)) Handle(event);
    }
    if (done_ || !pump()) break;
    XErrorTrap trap(connection_);
    connection_.WaitForEvents(kWaitMs);
  }
  XErrorTrap trap(connection_);
  XUngrabKeyboard(connection_.Handle(), CurrentTime);
  XUngrabPointer(connection_.Handle(), CurrentTime);
  CloseFrom(0);
  return chosen_;
}

// The pointer may still be held by another client for a moment.
bool XPopupMenu::GrabInput() {
  Display* display = connection_.Handle();
  const Window window = open_[0].window->Id();
  for (int attempt = 0; attempt < kGrabAttempts; ++attempt) {
    {
      XErrorTrap trap(connection_);
      if (XGrabPointer(display, window, False, kPointerEvents, GrabModeAsync, GrabModeAsync, None,
                       None, CurrentTime) == GrabSuccess) {
        XGrabKeyboard(display, window, False, GrabModeAsync, GrabModeAsync, CurrentTime);
        return true;
      }
      if (!connection_.Alive()) return false;
    }
    std::this_thread::sleep_for(kGrabRetry);
  }
  return false;
}

bool XPopupMenu::NextEvent(XEvent& event) {
  for (OpenPanel& open : open_) {
    if (open.window->NextEvent(event)) return true;
  }
  return false;
}

void XPopupMenu::Handle(const XEvent& event) {
  switch (event.type) {
    case Expose:
      for (OpenPanel& open : open_) {
        if (open.window->Id() == event.xexpose.window) open.window->Show();
      }
      return;
    case MotionNotify:
      pointerMoved_ = true;
      return Hover(event.xmotion.x_root, event.xmotion.y_root);
    case ButtonPress: {
      size_t depth = 0;
      int row = -1;
      if (!Find(event.xbutton.x_root, event.xbutton.y_root, depth, row)) {
        done_ = true;
        return;
      }
      pressedInside_ = true;
      return Hover(event.xbutton.x_root, event.xbutton.y_root);
    }
    case ButtonRelease: return Release(event.xbutton.x_root, event.xbutton.y_root);
    case KeyPress: {
      XKeyEvent key = event.xkey;
      return Key(XLookupKeysym(&key, 0));
    }
    default: return;
  }
}

bool XPopupMenu::Find(int x, int y, size_t& depth, int& row) const {
  for (size_t d = open_.size(); d-- > 0;) {
    const OpenPanel& open = open_[d];
    if (!Holds(open.area, x, y)) continue;
    depth = d;
    row = -1;
    const int localY = y - open.area.top;
    const std::vector<MenuRow>& rows = RowsOf(open);
    for (int i = 0, top = kBorder; i < static_cast<int>(rows.size()); ++i) {
      const int bottom = top + RowHeight(rows[static_cast<size_t>(i)]);
      if (localY >= top && localY < bottom && !rows[static_cast<size_t>(i)].IsSeparator()) row = i;
      top = bottom;
    }
    return true;
  }
  return false;
}

void XPopupMenu::Hover(int x, int y) {
  size_t depth = 0;
  int row = -1;
  if (!Find(x, y, depth, row) || row < 0) return;
  Highlight(depth, row);
  if (RowsOf(open_[depth])[static_cast<size_t>(row)].submenu >= 0) OpenSubmenu(depth, row);
}

// Panels below depth close unless they belong to the newly highlighted row.
void XPopupMenu::Highlight(size_t depth, int row) {
  OpenPanel& open = open_[depth];
  if (open.highlighted == row) return;
  open.highlighted = row;
  CloseFrom(depth + 1);
  Draw(open);
}

void XPopupMenu::OpenSubmenu(size_t depth, int row) {
  const MenuRow& r = RowsOf(open_[depth])[static_cast<size_t>(row)];
  if (r.submenu < 0 || !r.IsEnabled()) return;
  if (open_.size() > depth + 1 && open_[depth + 1].panel == r.submenu) return;
  CloseFrom(depth + 1);
  const IRectangle parent = open_[depth].area;
  const int y = parent.top + RowTop(open_[depth], row) - kBorder;
  Open(r.submenu, parent.right - kSubmenuOverlap, y);
  OpenPanel& child = open_.back();
  if (child.area.left < parent.right - kSubmenuOverlap) {
    // No room on the right: the submenu goes to the left of its parent.
    const int width = child.area.right - child.area.left;
    const int x = std::max(0, parent.left - width + kSubmenuOverlap);
    XMoveWindow(connection_.Handle(), child.window->Id(), x, child.area.top);
    child.area = IRectangle{x, child.area.top, x + width, child.area.bottom};
  }
}

// The release of the press that opened the menu chooses only after the pointer moved:
// pressing, dragging to a command and letting go chooses it.
void XPopupMenu::Release(int x, int y) {
  size_t depth = 0;
  int row = -1;
  if (!(pressedInside_ || pointerMoved_) || !Find(x, y, depth, row) || row < 0) return;
  Activate(depth, row, false);
}

void XPopupMenu::Activate(size_t depth, int row, bool fromKeyboard) {
  const MenuRow& r = RowsOf(open_[depth])[static_cast<size_t>(row)];
  if (!r.IsEnabled()) return;
  if (r.submenu >= 0) {
    OpenSubmenu(depth, row);
    if (fromKeyboard && open_.size() > depth + 1) MoveHighlight(1);
    return;
  }
  chosen_ = r.identifier;
  done_ = true;
}

void XPopupMenu::Key(unsigned long keysym) {
  const size_t deepest = open_.size() - 1;
  const int row = open_[deepest].highlighted;
  switch (keysym) {
    case XK_Up: return MoveHighlight(-1);
    case XK_Down: return MoveHighlight(1);
    case XK_Right:
      if (row >= 0) Activate(deepest, row, true);
      return;
    case XK_Left:
      if (deepest > 0) CloseFrom(deepest);
      return;
    case XK_Return:
    case XK_KP_Enter:
      if (row >= 0) Activate(deepest, row, true);
      return;
    case XK_Escape:
      if (deepest > 0) {
        CloseFrom(deepest);
      } else {
        done_ = true;
      }
      return;
    default: return;
  }
}

// Moves to the next row in direction that is not a separator, wrapping around, in the
// innermost panel.
void XPopupMenu::MoveHighlight(int direction) {
  const size_t deepest = open_.size() - 1;
  const std::vector<MenuRow>& rows = RowsOf(open_[deepest]);
  const int count = static_cast<int>(rows.size());
  int row = open_[deepest].highlighted;
  for (int step = 0; step < count; ++step) {
    row = row < 0 ? (direction > 0 ? 0 : count - 1) : (row + direction + count) % count;
    if (!rows[static_cast<size_t>(row)].IsSeparator()) return Highlight(deepest, row);
  }
}
