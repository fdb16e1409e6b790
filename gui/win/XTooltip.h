#pragma once
// A small override-redirect window that shows a control's tooltip text near the pointer,
// drawn with the editor's own text drawing on a pale ground. Every call needs an
// XErrorTrap of the connection.

#include <memory>

#include "gui/win/XDisplayConnection.h"

class PIX_SysBitmap;
class XPresenter;
union _XEvent;

class XTooltip {
 public:
  explicit XTooltip(XDisplayConnection& connection);
  ~XTooltip();
  XTooltip(const XTooltip&) = delete;
  XTooltip& operator=(const XTooltip&) = delete;

  // Shows text with its top-left corner at the screen position; empty text hides it.
  void Show(const char* text, int screenX, int screenY);
  void Hide();
  bool Visible() const { return window_ != 0; }
  // The tooltip's window, 0 while hidden.
  XResourceId Id() const { return window_; }
  // Handles an event of the tooltip's window.
  void HandleEvent(const _XEvent& event);

 private:
  bool DrawText(const char* text);

  XDisplayConnection& connection_;
  XResourceId window_ = 0;
  XResourceId colormap_ = 0;
  std::unique_ptr<PIX_SysBitmap> picture_;
  std::unique_ptr<XPresenter> presenter_;
};
