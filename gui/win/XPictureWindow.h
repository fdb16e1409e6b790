#pragma once
// A window that shows a bitmap of its own size, drawn by the caller: an override-redirect
// window on the screen (menus), a top-level window (dialogs) or a child window. Exposures
// are answered by Show(). Every call needs an XErrorTrap of the connection.

#include <memory>

#include "gui/win/XDisplayConnection.h"
#include "raster/SysBitmap.h"

class XPresenter;
union _XEvent;

class XPictureWindow {
 public:
  enum Kind { kPopup, kTopLevel, kChild };

  // parent: the window a child goes into; ignored for the others, which go on the root.
  XPictureWindow(XDisplayConnection& connection, Kind kind, XResourceId parent, int x, int y,
                 int width, int height, long eventMask);
  ~XPictureWindow();
  XPictureWindow(const XPictureWindow&) = delete;
  XPictureWindow& operator=(const XPictureWindow&) = delete;

  XResourceId Id() const { return window_; }
  // Draw here, then Show().
  PIX_SysBitmap& Picture() { return picture_; }
  void Map();
  // Sends the whole picture to the window.
  void Show();
  // Takes the next queued event of the window, without waiting.
  bool NextEvent(_XEvent& event);

 private:
  XDisplayConnection& connection_;
  XResourceId window_ = 0;
  XResourceId colormap_ = 0;
  PIX_SysBitmap picture_;
  std::unique_ptr<XPresenter> presenter_;
};
