#include "gui/win/XPresenter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

#include "gui/RectangleOps.h"
#include "gui/win/XErrorTrap.h"

namespace {
constexpr int kBitsPerPixel = 32;
constexpr unsigned long kRedMask = 0xFF0000, kGreenMask = 0xFF00, kBlueMask = 0xFF;

// One colour channel (0-255) placed into a visual's mask.
unsigned long IntoMask(unsigned int channel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  int bits = 0;
  while (((mask >> (shift + bits)) & 1) != 0) ++bits;
  const unsigned long value = bits >= 8 ? channel << (bits - 8) : channel >> (8 - bits);
  return (value << shift) & mask;
}

unsigned long VisualPixel(PIX_PixelValue pixel, const XVisualFormat& format) {
  return IntoMask((pixel >> 16) & 0xFF, format.redMask) |
         IntoMask((pixel >> 8) & 0xFF, format.greenMask) | IntoMask(pixel & 0xFF, format.blueMask);
}

bool HostIsLsbFirst() {
  const uint16_t probe = 1;
  return *reinterpret_cast<const uint8_t*>(&probe) == 1;
}

// Whether our pixels can be copied as they are: 32 bits each, red, green and blue where
// the visual has them, in the byte order the server reads.
bool CopiesAsIs(const XImage& image, const XVisualFormat& format) {
  const bool lsbFirst = image.byte_order == LSBFirst;
  return image.bits_per_pixel == kBitsPerPixel && lsbFirst == HostIsLsbFirst() &&
         format.redMask == kRedMask && format.greenMask == kGreenMask &&
         format.blueMask == kBlueMask;
}
}  // namespace

struct XPresenter::SharedImage {
  XShmSegmentInfo segment{};
};

XPresenter::XPresenter(XDisplayConnection& connection, XResourceId window, int width, int height,
                       bool allowSharedMemory)
    : connection_(connection), window_(window), width_(width), height_(height) {
  gc_ = XCreateGC(connection.Handle(), window, 0, nullptr);
  if (!allowSharedMemory || connection.ShmEventBase() < 0 || !AttachSharedImage()) {
    MakePlainImage();
  }
}

XPresenter::~XPresenter() {
  Display* display = connection_.Handle();
  if (shm_ != nullptr) {
    XShmDetach(display, &shm_->segment);
    XSync(display, False);  // the server lets go of the segment before we do
    shmdt(shm_->segment.shmaddr);
    image_->data = nullptr;
  }
  if (image_ != nullptr) XDestroyImage(image_);
  XFreeGC(display, gc_);
}

// A test attach: servers on other machines or in sandboxes refuse the segment. It is
// marked for removal at once, so that it goes with the last process that uses it.
bool XPresenter::AttachSharedImage() {
  const XVisualFormat& format = connection_.Visual();
  Display* display = connection_.Handle();
  shm_ = std::make_unique<SharedImage>();
  image_ = XShmCreateImage(display, static_cast<Visual*>(format.visual), format.depth, ZPixmap,
                           nullptr, &shm_->segment, width_, height_);
  if (image_ != nullptr) {
    shm_->segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * height_,
                                 IPC_CREAT | 0600);
  }
  if (image_ == nullptr || shm_->segment.shmid < 0) {
    if (image_ != nullptr) XDestroyImage(image_);
    image_ = nullptr;
    shm_.reset();
    return false;
  }
  shm_->segment.shmaddr = image_->data = static_cast<char*>(shmat(shm_->segment.shmid, nullptr, 0));
  shm_->segment.readOnly = False;
  const bool mapped = shm_->segment.shmaddr != reinterpret_cast<char*>(-1);
  XErrorTrap trap(connection_);
  const bool attached = mapped && XShmAttach(display, &shm_->segment) && trap.Sync();
  shmctl(shm_->segment.shmid, IPC_RMID, nullptr);
  if (attached) return true;
  if (mapped) shmdt(shm_->segment.shmaddr);
  image_->data = nullptr;
  XDestroyImage(image_);
  image_ = nullptr;
  shm_.reset();
  return false;
}

bool XPresenter::MakePlainImage() {
  const XVisualFormat& format = connection_.Visual();
  image_ = XCreateImage(connection_.Handle(), static_cast<Visual*>(format.visual), format.depth,
                        ZPixmap, 0, nullptr, width_, height_, kBitsPerPixel, 0);
  if (image_ == nullptr) return false;
  image_->data = static_cast<char*>(std::calloc(static_cast<size_t>(image_->bytes_per_line), height_));
  return image_->data != nullptr;
}

void XPresenter::Add(const IRectangle& rect) {
  pending_ = Intersection(Union(pending_, rect), IRectangle{0, 0, width_, height_});
}

void XPresenter::Stage(const PIX_IBitmap& bitmap) {
  if (IsEmpty(pending_) || serverReading_ || image_ == nullptr || image_->data == nullptr) return;
  if (bitmap.PixelData() == nullptr || bitmap.Width() < width_ || bitmap.Height() < height_) return;
  if (WidthOf(pending_) > 0 && HeightOf(pending_) > 0) {
    Convert(bitmap, pending_);
    staged_ = Union(staged_, pending_);
  }
  pending_ = IRectangle{0, 0, 0, 0};
}

bool XPresenter::TakeCompletion(int eventType) {
  if (shm_ == nullptr || eventType != connection_.ShmEventBase() + ShmCompletion) return false;
  serverReading_ = false;
  return true;
}

void XPresenter::Convert(const PIX_IBitmap& bitmap, const IRectangle& area) {
  const XVisualFormat& format = connection_.Visual();
  const int width = WidthOf(area);
  for (int y = area.top; y < area.bottom; ++y) {
    const PIX_PixelValue* from = bitmap.Row(y) + area.left;
    if (CopiesAsIs(*image_, format)) {
      char* to = image_->data + static_cast<ptrdiff_t>(y) * image_->bytes_per_line + area.left * 4;
      std::memcpy(to, from, static_cast<size_t>(width) * 4);
      continue;
    }
    for (int x = 0; x < width; ++x) XPutPixel(image_, area.left + x, y, VisualPixel(from[x], format));
  }
}

void XPresenter::Send() {
  if (IsEmpty(staged_)) return;
  const IRectangle area = staged_;
  staged_ = IRectangle{0, 0, 0, 0};
  Display* display = connection_.Handle();
  const auto width = static_cast<unsigned>(WidthOf(area));
  const auto height = static_cast<unsigned>(HeightOf(area));
  if (shm_ != nullptr) {
    XShmPutImage(display, window_, gc_, image_, area.left, area.top, area.left, area.top, width,
                 height, True);
    serverReading_ = true;
  } else {
    XPutImage(display, window_, gc_, image_, area.left, area.top, area.left, area.top, width, height);
  }
  XFlush(display);
}
