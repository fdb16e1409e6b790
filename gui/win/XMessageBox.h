#pragma once
// A small modal message box of our own: a dialog window over its owner with the text, the
// caption as its title and the buttons its type asks for, in the dialog look. A click on
// a button or Return on the focused one (the first at the start) ends it; Left, Right
// and Tab move the focus; Escape and the window's close box answer Cancel where there is
// one (OK in a box with only OK). Types and answers are those of the Win32 message box.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/win/DialogLook.h"
#include "gui/win/XDisplayConnection.h"

class XPictureWindow;
union _XEvent;

namespace MessageType {
constexpr int kOk = 0;
constexpr int kOkCancel = 1;
constexpr int kAbortRetryIgnore = 2;
constexpr int kYesNoCancel = 3;
constexpr int kYesNo = 4;
constexpr int kRetryCancel = 5;
}  // namespace MessageType

namespace MessageAnswer {
constexpr int kNone = 0;  // the box could not be shown or was ended from outside
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kAbort = 3;
constexpr int kRetry = 4;
constexpr int kIgnore = 5;
constexpr int kYes = 6;
constexpr int kNo = 7;
}  // namespace MessageAnswer

class XMessageBox {
 public:
  // owner: the window the box belongs to and is centred over (0: none, screen centre).
  XMessageBox(XDisplayConnection& connection, const DialogLook& look, XResourceId owner);
  ~XMessageBox();
  XMessageBox(const XMessageBox&) = delete;
  XMessageBox& operator=(const XMessageBox&) = delete;

  // Shows the box and waits for an answer; pump runs between waits of a few
  // milliseconds, and when it returns false the box closes with kNone. The low four bits
  // of type choose the buttons; an unknown choice gives OK.
  int Run(const char* text, const char* caption, int type, const std::function<bool()>& pump);

 private:
  struct Button {
    int answer;
    IRectangle area;
  };

  void Layout(const char* text, int type);
  void Place(const char* caption);
  void ShrinkTo(int width, int height);
  void Draw();
  void Handle(const _XEvent& event);
  int ButtonAt(int x, int y) const;
  int EscapeAnswer() const;

  XDisplayConnection& connection_;
  DialogLook look_;
  XResourceId owner_;
  std::unique_ptr<XPictureWindow> window_;
  std::vector<std::string> lines_;
  std::vector<Button> buttons_;
  int width_ = 0;
  int height_ = 0;
  int focused_ = 0;
  int pressed_ = -1;
  int answer_ = MessageAnswer::kNone;
  bool done_ = false;
  XResourceId deleteAtom_ = 0;
};
