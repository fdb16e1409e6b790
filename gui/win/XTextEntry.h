#pragma once
// The editor's in-place text field: a child window of the editor window showing an
// EntryText in the dialog look (ground, text, the selection inverted, a caret), aligned
// near, far or centred and scrolled to keep the caret in view. Keys edit it (typing,
// Backspace, Delete, Home, End, Left, Right, with Shift extending the selection) and the
// pointer places the caret and drags a selection. Ctrl+V and Shift+Insert ask for the
// clipboard's text. Every call needs an XErrorTrap.

#include <memory>

#include "gui/TextStyle.h"
#include "gui/win/DialogLook.h"
#include "gui/win/EntryText.h"
#include "gui/win/XDisplayConnection.h"

class XPictureWindow;
union _XEvent;

class XTextEntry {
 public:
  // What an event means to the editor.
  enum Signal { kNothing, kFocusGained, kFocusLost, kReturn, kEscape, kPaste };

  // The field covers rect of parent, one pixel wider and taller, with text selected.
  XTextEntry(XDisplayConnection& connection, XResourceId parent, const IRectangle& rect,
             const DialogLook& look, ITextAlign alignment, const EntryText& text);
  ~XTextEntry();
  XTextEntry(const XTextEntry&) = delete;
  XTextEntry& operator=(const XTextEntry&) = delete;

  XResourceId Id() const;
  const std::string& Text() const { return text_.Text(); }
  void TakeFocus();
  bool NextEvent(_XEvent& event);
  // Types text (UTF-8 is taken byte by byte) at the caret, as far as the field takes it.
  void Paste(const std::string& text);
  // The focus the field had when it opened is not reported: only its loss, and gaining
  // it back after that.
  Signal Handle(_XEvent& event);

 private:
  Signal HandleKey(_XEvent& event);
  void Draw();
  int TextX(int position);
  int PositionAt(int x);
  void KeepCaretInView();

  DialogLook look_;
  ITextAlign alignment_;
  EntryText text_;
  std::unique_ptr<XPictureWindow> window_;
  XDisplayConnection& connection_;
  int scroll_ = 0;
  bool focusLost_ = false;
  bool selecting_ = false;
};
