#include "gui/win/XTextEntry.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>

#include "gui/win/XPictureWindow.h"

namespace {
constexpr int kInset = 2;
constexpr int kLookupBytes = 16;
constexpr long kEvents = KeyPressMask | ButtonPressMask | ButtonReleaseMask | Button1MotionMask |
                         FocusChangeMask;
}  // namespace

XTextEntry::XTextEntry(XDisplayConnection& connection, XResourceId parent, const IRectangle& rect,
                       const DialogLook& look, ITextAlign alignment, const EntryText& text)
    : look_(look), alignment_(alignment), text_(text), connection_(connection) {
  // An upside-down rectangle gives the smallest field.
  const int width = std::max(1, rect.right - rect.left + 1);
  const int height = std::max(1, rect.bottom - rect.top + 1);
  window_ = std::make_unique<XPictureWindow>(connection, XPictureWindow::kChild, parent, rect.left,
                                             rect.top, width, height, kEvents);
  Draw();
  window_->Map();
}

XTextEntry::~XTextEntry() = default;

XResourceId XTextEntry::Id() const { return window_->Id(); }

void XTextEntry::TakeFocus() {
  XSetInputFocus(connection_.Handle(), window_->Id(), RevertToPointerRoot, CurrentTime);
  XFlush(connection_.Handle());
}

bool XTextEntry::NextEvent(XEvent& event) { return window_->NextEvent(event); }

XTextEntry::Signal XTextEntry::Handle(XEvent& event) {
  switch (event.type) {
    case Expose: window_->Show(); return kNothing;
    case FocusIn:
      if (event.xfocus.mode != NotifyNormal || !focusLost_) return kNothing;
      return kFocusGained;
    case FocusOut:
      if (event.xfocus.mode != NotifyNormal || event.xfocus.detail == NotifyInferior) {
        return kNothing;
      }
      focusLost_ = true;
      return kFocusLost;
    case ButtonPress:
      if (event.xbutton.button != Button1) return kNothing;
      selecting_ = true;
      text_.MoveTo(PositionAt(event.xbutton.x), (event.xbutton.state & ShiftMask) != 0);
      break;
    case MotionNotify:
      if (!selecting_) return kNothing;
      text_.MoveTo(PositionAt(event.xmotion.x), true);
      break;
    case ButtonRelease: selecting_ = false; return kNothing;
    case KeyPress: {
      const Signal signal = HandleKey(event);
      if (signal != kNothing) return signal;
      break;
    }
    default: return kNothing;
  }
  Draw();
  return kNothing;
}

XTextEntry::Signal XTextEntry::HandleKey(XEvent& event) {
  char typed[kLookupBytes];
  KeySym keysym = NoSymbol;
  const int count = XLookupString(&event.xkey, typed, sizeof typed, &keysym, nullptr);
  const bool extend = (event.xkey.state & ShiftMask) != 0;
  switch (keysym) {
    case XK_Return:
    case XK_KP_Enter: return kReturn;
    case XK_Escape: return kEscape;
    case XK_BackSpace: text_.Backspace(); return kNothing;
    case XK_Delete:
    case XK_KP_Delete: text_.Delete(); return kNothing;
    case XK_Home:
    case XK_KP_Home: text_.MoveTo(0, extend); return kNothing;
    case XK_End:
    case XK_KP_End: text_.MoveTo(text_.Length(), extend); return kNothing;
    case XK_Left:
    case XK_KP_Left: text_.MoveTo(text_.Caret() - 1, extend); return kNothing;
    case XK_Right:
    case XK_KP_Right: text_.MoveTo(text_.Caret() + 1, extend); return kNothing;
    default: break;
  }
  const bool control = (event.xkey.state & ControlMask) != 0;
  if ((control && (keysym == XK_v || keysym == XK_V)) || (extend && keysym == XK_Insert)) {
    return kPaste;
  }
  if (control) return kNothing;
  for (int i = 0; i < count; ++i) text_.Type(typed[i]);
  return kNothing;
}

void XTextEntry::Paste(const std::string& text) {
  for (const char c : text) text_.Type(c);
  Draw();
}

// The left edge of the character at position, in window pixels.
int XTextEntry::TextX(int position) {
  PIX_SysBitmap& picture = window_->Picture();
  const std::string& text = text_.Text();
  const int width = look_.TextWidth(picture, text.c_str());
  const int room = picture.Width() - 2 * kInset;
  int start = kInset - scroll_;
  if (width < room && alignment_ == ALIGN_FAR) start = picture.Width() - kInset - width;
  if (width < room && alignment_ == ALIGN_CENTRE) start = (picture.Width() - width) / 2;
  const std::string before = text.substr(0, static_cast<size_t>(position));
  return start + look_.TextWidth(picture, before.c_str());
}

// The character boundary nearest to x.
int XTextEntry::PositionAt(int x) {
  int best = 0, bestDistance = -1;
  for (int position = 0; position <= text_.Length(); ++position) {
    const int distance = std::abs(TextX(position) - x);
    if (bestDistance < 0 || distance < bestDistance) {
      best = position;
      bestDistance = distance;
    }
  }
  return best;
}

void XTextEntry::KeepCaretInView() {
  const int width = window_->Picture().Width();
  const int caretX = TextX(text_.Caret());
  if (caretX < kInset) scroll_ -= kInset - caretX;
  if (caretX > width - kInset - 1) scroll_ += caretX - (width - kInset - 1);
  if (scroll_ < 0) scroll_ = 0;
}

void XTextEntry::Draw() {
  KeepCaretInView();
  PIX_SysBitmap& picture = window_->Picture();
  const int width = picture.Width(), height = picture.Height();
  FillBox(picture, {0, 0, width, height}, look_.ground);
  const std::string& text = text_.Text();
  const int left = TextX(0);
  const IRectangle line{left, 0, left + width * 4 + look_.TextWidth(picture, text.c_str()), height};
  look_.DrawText(picture, text.c_str(), line, 0, look_.text);
  if (text_.HasSelection()) {
    const int from = TextX(text_.SelectionStart()), to = TextX(text_.SelectionEnd());
    FillBox(picture, {from, 1, to, height - 1}, look_.text);
    const std::string selected =
        text.substr(static_cast<size_t>(text_.SelectionStart()),
                    static_cast<size_t>(text_.SelectionEnd() - text_.SelectionStart()));
    look_.DrawText(picture, selected.c_str(), {from, 0, to + width, height}, 0, look_.ground);
  } else {
    const int caretX = TextX(text_.Caret());
    FillBox(picture, {caretX, 2, caretX + 1, height - 2}, look_.text);
  }
  window_->Show();
}
