#include "gui/win/XTooltip.h"

#include <X11/Xlib.h>

#include "gui/win/XPresenter.h"
#include "platform/TextDraw.h"
#include "raster/SysBitmap.h"

namespace {
constexpr PIX_PixelValue kGround = 0xFFFFFFE1;  // pale yellow
constexpr uint32_t kTextColour = 0;              // black
constexpr int kPadding = 3;
constexpr uint32_t kFormat = DT_SINGLELINE | DT_NOPREFIX;
}  // namespace

XTooltip::XTooltip(XDisplayConnection& connection) : connection_(connection) {}

XTooltip::~XTooltip() { Hide(); }

bool XTooltip::DrawText(const char* text) {
  picture_ = std::make_unique<PIX_SysBitmap>(1, 1);
  TextRect box{0, 0, 0, 0};
  DrawTextA(picture_->DeviceContext(), text, -1, &box, kFormat | DT_CALCRECT);
  const int width = box.right + 2 * kPadding, height = box.bottom + 2 * kPadding;
  if (box.right <= 0 || !picture_->SetSize(width, height) || picture_->PixelData() == nullptr) {
    return false;
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture_->Row(y)[x] = kGround;
  }
  ::DeviceContext* dc = picture_->DeviceContext();
  dc->SetTextColour(kTextColour);
  dc->SetBackgroundMode(::DeviceContext::kTransparent);
  TextRect place{kPadding, kPadding, width - kPadding, height - kPadding};
  DrawTextA(dc, text, -1, &place, kFormat);
  return true;
}

void XTooltip::Show(const char* text, int screenX, int screenY) {
  Hide();
  if (text == nullptr || text[0] == '\0' || !DrawText(text)) return;
  Display* display = connection_.Handle();
  const XVisualFormat& format = connection_.Visual();
  auto* visual = static_cast<Visual*>(format.visual);
  colormap_ = XCreateColormap(display, DefaultRootWindow(display), visual, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.colormap = colormap_;
  attributes.border_pixel = 0;
  attributes.background_pixmap = None;
  attributes.event_mask = ExposureMask;
  const int width = picture_->Width(), height = picture_->Height();
  window_ = XCreateWindow(display, DefaultRootWindow(display), screenX, screenY,
                          static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                          format.depth, InputOutput, visual,
                          CWOverrideRedirect | CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask,
                          &attributes);
  presenter_ = std::make_unique<XPresenter>(connection_, window_, width, height, false);
  XMapRaised(display, window_);
  XFlush(display);
}

void XTooltip::Hide() {
  if (window_ == 0) return;
  Display* display = connection_.Handle();
  presenter_.reset();
  XDestroyWindow(display, window_);
  XFreeColormap(display, colormap_);
  // Exposures still queued for the window would stay in the shared queue for good.
  XSync(display, False);
  XEvent event;
  while (XCheckWindowEvent(display, window_, ExposureMask, &event)) {
  }
  window_ = colormap_ = 0;
  picture_.reset();
}

void XTooltip::HandleEvent(const XEvent& event) {
  if (event.type != Expose || presenter_ == nullptr) return;
  presenter_->Add(IRectangle{0, 0, picture_->Width(), picture_->Height()});
  presenter_->Stage(*picture_);
  presenter_->Send();
}
