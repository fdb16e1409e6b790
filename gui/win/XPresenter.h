#pragma once
// Copies areas of a bitmap into an X window: through a shared-memory image when the
// server takes one (it reads the pixels itself), otherwise with plain XPutImage. Pixels
// are converted to the window visual's colour masks and the server's byte order. Staging
// (copying from the bitmap into the image) and sending (asking the server to draw the
// image) are separate, so that only staging needs whatever guards the bitmap. The
// presenter never blocks on the server: while the server still reads the shared image,
// new areas wait to be staged. Every call needs the connection's lock; Send and the
// constructor and destructor need an XErrorTrap.

#include <memory>

#include "gui/win/XDisplayConnection.h"
#include "raster/Bitmap.h"
#include "raster/Rectangle.h"

struct _XGC;
struct _XImage;

class XPresenter {
 public:
  XPresenter(XDisplayConnection& connection, XResourceId window, int width, int height,
             bool allowSharedMemory);
  ~XPresenter();
  XPresenter(const XPresenter&) = delete;
  XPresenter& operator=(const XPresenter&) = delete;

  bool UsesSharedMemory() const { return shm_ != nullptr; }
  // Adds rect to the area waiting to be staged.
  void Add(const IRectangle& rect);
  // Copies the waiting area of bitmap (of the presenter's size) into the image, unless
  // the server still reads it.
  void Stage(const PIX_IBitmap& bitmap);
  // Has the server draw the staged area into the window.
  void Send();
  // True for the event that says the server has read the shared image; the image is
  // free again.
  bool TakeCompletion(int eventType);

 private:
  struct SharedImage;

  bool AttachSharedImage();
  bool MakePlainImage();
  void Convert(const PIX_IBitmap& bitmap, const IRectangle& area);

  XDisplayConnection& connection_;
  XResourceId window_;
  int width_;
  int height_;
  _XGC* gc_ = nullptr;
  _XImage* image_ = nullptr;
  std::unique_ptr<SharedImage> shm_;
  bool serverReading_ = false;
  IRectangle pending_{0, 0, 0, 0};
  IRectangle staged_{0, 0, 0, 0};
};
