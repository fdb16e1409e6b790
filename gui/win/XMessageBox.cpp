#include "gui/win/XMessageBox.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstring>

#include "gui/win/XErrorTrap.h"
#include "gui/win/XPictureWindow.h"
#include "platform/TextDraw.h"

namespace {
constexpr int kMargin = 16;
constexpr int kButtonGap = 8;
constexpr int kButtonPadding = 20;
constexpr int kSmallestButton = 72;
constexpr int kSmallestWidth = 200;
constexpr int kWaitMs = 10;
constexpr int kTypeMask = 0xF;
constexpr long kEvents = KeyPressMask | ButtonPressMask | ButtonReleaseMask;

struct ButtonSet {
  int type;
  int answers[3];
  int count;
};
constexpr ButtonSet kButtonSets[] = {
    {MessageType::kOk, {MessageAnswer::kOk}, 1},
    {MessageType::kOkCancel, {MessageAnswer::kOk, MessageAnswer::kCancel}, 2},
    {MessageType::kAbortRetryIgnore,
     {MessageAnswer::kAbort, MessageAnswer::kRetry, MessageAnswer::kIgnore}, 3},
    {MessageType::kYesNoCancel, {MessageAnswer::kYes, MessageAnswer::kNo, MessageAnswer::kCancel}, 3},
    {MessageType::kYesNo, {MessageAnswer::kYes, MessageAnswer::kNo}, 2},
    {MessageType::kRetryCancel, {MessageAnswer::kRetry, MessageAnswer::kCancel}, 2},
};

const char* ButtonLabel(int answer) {
  static const char* const kLabels[] = {"", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
  return kLabels[answer];
}

const ButtonSet& ButtonsOf(int type) {
  for (const ButtonSet& set : kButtonSets) {
    if (set.type == (type & kTypeMask)) return set;
  }
  return kButtonSets[0];
}

bool Holds(const IRectangle& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
}  // namespace

XMessageBox::XMessageBox(XDisplayConnection& connection, const DialogLook& look,
                         XResourceId owner)
    : connection_(connection), look_(look), owner_(owner) {}

XMessageBox::~XMessageBox() {
  XErrorTrap trap(connection_);
  window_.reset();
}

int XMessageBox::Run(const char* text, const char* caption, int type,
                     const std::function<bool()>& pump) {
  {
    XErrorTrap trap(connection_);
    Layout(text != nullptr ? text : "", type);
    Place(caption);
    Draw();
    window_->Map();
    trap.Sync();
    XSetInputFocus(connection_.Handle(), window_->Id(), RevertToPointerRoot, CurrentTime);
  }
  while (!done_) {
    {
      XErrorTrap trap(connection_);
      XEvent event;
      while (!done_ && window_->NextEvent(event)) Handle(event);
    }
    if (done_ || !pump()) break;
    XErrorTrap trap(connection_);
    connection_.WaitForEvents(kWaitMs);
  }
  XErrorTrap trap(connection_);
  window_.reset();
  return answer_;
}

// Lines of text above a row of buttons on the right.
void XMessageBox::Layout(const char* text, int type) {
  PIX_SysBitmap scratch(1, 1);
  int textWidth = 0;
  for (const char* start = text;;) {
    const char* end = std::strchr(start, '\n');
    lines_.emplace_back(start, end != nullptr ? static_cast<size_t>(end - start) : std::strlen(start));
    textWidth = std::max(textWidth, look_.TextWidth(scratch, lines_.back().c_str()));
    if (end == nullptr) break;
    start = end + 1;
  }
  const ButtonSet& set = ButtonsOf(type);
  const int row = look_.RowHeight();
  int buttonsWidth = 0;
  std::vector<int> widths;
  for (int i = 0; i < set.count; ++i) {
    widths.push_back(std::max(kSmallestButton,
                              look_.TextWidth(scratch, ButtonLabel(set.answers[i])) + kButtonPadding));
    buttonsWidth += widths.back() + (i > 0 ? kButtonGap : 0);
  }
  width_ = std::max({kSmallestWidth, textWidth, buttonsWidth}) + 2 * kMargin;
  const int buttonTop = kMargin + static_cast<int>(lines_.size()) * row + kMargin;
  const int buttonHeight = row + kButtonPadding / 2;
  height_ = buttonTop + buttonHeight + kMargin;
  int left = width_ - kMargin - buttonsWidth;
  for (int i = 0; i < set.count; ++i) {
    buttons_.push_back(Button{set.answers[i], {left, buttonTop, left + widths[static_cast<size_t>(i)],
                                               buttonTop + buttonHeight}});
    left += widths[static_cast<size_t>(i)] + kButtonGap;
  }
}

// A dialog of its owner, centred over it; closing it through the window manager is asked
// of us.
void XMessageBox::Place(const char* caption) {
  Display* display = connection_.Handle();
  const Window root = DefaultRootWindow(display);
  const int screenWidth = DisplayWidth(display, DefaultScreen(display));
  const int screenHeight = DisplayHeight(display, DefaultScreen(display));
  // Text beyond the screen is cut off; the buttons stay at the bottom right.
  ShrinkTo(std::min(width_, screenWidth), std::min(height_, screenHeight));
  int centreX = screenWidth / 2;
  int centreY = screenHeight / 2;
  XWindowAttributes owner;
  Window child = 0;
  if (owner_ != 0 && XGetWindowAttributes(display, owner_, &owner)) {
    XTranslateCoordinates(display, owner_, root, owner.width / 2, owner.height / 2, &centreX,
                          &centreY, &child);
  }
  window_ = std::make_unique<XPictureWindow>(connection_, XPictureWindow::kTopLevel, 0,
                                             std::max(0, centreX - width_ / 2),
                                             std::max(0, centreY - height_ / 2), width_, height_,
                                             kEvents);
  const Window window = window_->Id();
  if (owner_ != 0) XSetTransientForHint(display, window, owner_);
  XStoreName(display, window, caption != nullptr ? caption : "");
  deleteAtom_ = XInternAtom(display, "WM_DELETE_WINDOW", False);
  Atom protocol = deleteAtom_;
  XSetWMProtocols(display, window, &protocol, 1);
  const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
  const Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(display, window, type, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&dialog), 1);
  XSizeHints hints{};
  hints.flags = PPosition | PMinSize | PMaxSize;
  hints.min_width = hints.max_width = width_;
  hints.min_height = hints.max_height = height_;
  XSetWMNormalHints(display, window, &hints);
}

void XMessageBox::ShrinkTo(int width, int height) {
  const int dx = width - width_, dy = height - height_;
  for (Button& button : buttons_) {
    button.area = IRectangle{button.area.left + dx, button.area.top + dy, button.area.right + dx,
                             button.area.bottom + dy};
  }
  width_ = width;
  height_ = height;
}

void XMessageBox::Draw() {
  PIX_SysBitmap& picture = window_->Picture();
  FillBox(picture, {0, 0, width_, height_}, look_.ground);
  const int row = look_.RowHeight();
  for (size_t i = 0; i < lines_.size(); ++i) {
    const int top = kMargin + static_cast<int>(i) * row;
    look_.DrawText(picture, lines_[i].c_str(), {kMargin, top, width_ - kMargin, top + row}, 0,
                   look_.text);
  }
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    const Button& button = buttons_[static_cast<size_t>(i)];
    const bool focused = i == focused_;
    FillBox(picture, button.area, focused ? look_.text : look_.ground);
    FrameBox(picture, button.area, look_.text);
    look_.DrawText(picture, ButtonLabel(button.answer), button.area, DT_CENTER,
                   focused ? look_.ground : look_.text);
  }
  window_->Show();
}

void XMessageBox::Handle(const XEvent& event) {
  const int count = static_cast<int>(buttons_.size());
  switch (event.type) {
    case Expose: return window_->Show();
    case ButtonPress: pressed_ = ButtonAt(event.xbutton.x, event.xbutton.y); return;
    case ButtonRelease: {
      const int button = ButtonAt(event.xbutton.x, event.xbutton.y);
      if (button >= 0 && button == pressed_) {
        answer_ = buttons_[static_cast<size_t>(button)].answer;
        done_ = true;
      }
      pressed_ = -1;
      return;
    }
    case ClientMessage:
      if (static_cast<XResourceId>(event.xclient.data.l[0]) == deleteAtom_ && EscapeAnswer() != 0) {
        answer_ = EscapeAnswer();
        done_ = true;
      }
      return;
    case KeyPress: {
      XKeyEvent key = event.xkey;
      const KeySym keysym = XLookupKeysym(&key, 0);
      if (keysym == XK_Return || keysym == XK_KP_Enter || keysym == XK_space) {
        answer_ = buttons_[static_cast<size_t>(focused_)].answer;
        done_ = true;
      } else if (keysym == XK_Escape && EscapeAnswer() != 0) {
        answer_ = EscapeAnswer();
        done_ = true;
      } else if (keysym == XK_Left || keysym == XK_Right || keysym == XK_Tab) {
        focused_ = (focused_ + (keysym == XK_Left ? count - 1 : 1)) % count;
        Draw();
      }
      return;
    }
    default: return;
  }
}

int XMessageBox::ButtonAt(int x, int y) const {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (Holds(buttons_[i].area, x, y)) return static_cast<int>(i);
  }
  return -1;
}

// Cancel where there is one, OK for a box with only OK; none otherwise.
int XMessageBox::EscapeAnswer() const {
  for (const Button& button : buttons_) {
    if (button.answer == MessageAnswer::kCancel) return MessageAnswer::kCancel;
  }
  return buttons_.size() == 1 ? buttons_[0].answer : MessageAnswer::kNone;
}
