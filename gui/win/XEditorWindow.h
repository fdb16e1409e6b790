#pragma once
// The editor's X window: a child of the host's parent window with its own 24-bit
// TrueColor visual, colormap and border pixel, a fixed size in WM_NORMAL_HINTS, WM_CLASS
// "PluginWndClass", the name "Plugin" and _XEMBED_INFO marked mapped. It maps itself and
// listens to exposure, pointer, key and structure events. The host may destroy it at any
// time with its parent; Gone() then tells. Every call needs an XErrorTrap.

#include "gui/win/XDisplayConnection.h"

union _XEvent;

class XEditorWindow {
 public:
  // Creates and maps the window at (x, y) of parent; Valid() is false when the parent does
  // not exist or the window could not be made.
  XEditorWindow(XDisplayConnection& connection, XResourceId parent, int x, int y, int width,
                int height);
  ~XEditorWindow();
  XEditorWindow(const XEditorWindow&) = delete;
  XEditorWindow& operator=(const XEditorWindow&) = delete;

  bool Valid() const { return window_ != 0; }
  XResourceId Id() const { return window_; }
  // True once the window was destroyed (with the host's parent) or the display is lost.
  bool Gone() const;
  void MarkDestroyed() { destroyed_ = true; }

  // The position in the parent window; false when the server cannot tell.
  bool Position(int& x, int& y) const;
  void Resize(int width, int height);
  // Takes the next queued event of this window or of also (0 for none), without waiting.
  bool NextEvent(_XEvent& event, XResourceId also);
  void TakeFocus(unsigned long time);
  // The pointer in screen coordinates; false when it is on another screen.
  bool PointerOnScreen(int& x, int& y) const;
  // The screen position of the window's point (x, y).
  void ToScreen(int x, int y, int& screenX, int& screenY) const;
  void HidePointer();
  void ShowPointerAt(int screenX, int screenY);

 private:
  void Describe(int width, int height);
  void SetFixedSize(int width, int height);
  void Destroy();

  XDisplayConnection& connection_;
  XResourceId parent_;
  XResourceId window_ = 0;
  XResourceId colormap_ = 0;
  XResourceId blankCursor_ = 0;
  unsigned long firstSerial_ = 0;
  bool destroyed_ = false;
};
