#include "gui/win/XDisplayConnection.h"

#include <X11/Xlib.h>
#include <X11/Xlibint.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <poll.h>

namespace {
constexpr int kTrueColorDepth = 24;
constexpr int kBadWindowCode = 3;
constexpr int kBadDrawableCode = 9;

XDisplayConnection* shared = nullptr;

// Every error the server reports on our connection ends here and goes no further: the
// host's handler never sees it.
Bool RecordError(Display* display, XErrorEvent* error, xError* /*wire*/) {
  if (shared != nullptr && shared->Handle() == display) {
    shared->RecordError(error->serial, error->error_code, error->resourceid);
  }
  return False;
}

// Called instead of exit() when the connection is lost.
void ConnectionLost(Display* /*display*/, void* connection) {
  static_cast<XDisplayConnection*>(connection)->MarkDead();
}

void InterceptErrors(Display* display, XDisplayConnection* connection) {
  for (int code = 1; code < 256; ++code) XESetWireToError(display, code, &RecordError);
  XSetIOErrorExitHandler(display, &ConnectionLost, connection);
}

int ShmEventBaseOf(Display* display) {
  int major = 0, minor = 0;
  Bool pixmaps = False;
  if (!XShmQueryVersion(display, &major, &minor, &pixmaps)) return -1;
  return XShmGetEventBase(display);
}
}  // namespace

std::recursive_mutex& XDisplayConnection::Lock() {
  static std::recursive_mutex lock;
  return lock;
}

XDisplayConnection* XDisplayConnection::Acquire() {
  std::lock_guard<std::recursive_mutex> guard(Lock());
  if (shared == nullptr) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return nullptr;
    auto* connection = new XDisplayConnection(display);
    if (!connection->FindVisual()) {
      delete connection;
      return nullptr;
    }
    shared = connection;
  }
  ++shared->users_;
  return shared;
}

void XDisplayConnection::Release() {
  std::lock_guard<std::recursive_mutex> guard(Lock());
  if (--users_ > 0) return;
  if (shared == this) shared = nullptr;
  delete this;
}

XDisplayConnection::XDisplayConnection(Display* display) : display_(display) {
  InterceptErrors(display, this);
  xembedInfo_ = XInternAtom(display, "_XEMBED_INFO", False);
  shmEventBase_ = ShmEventBaseOf(display);
}

// Closed under an XErrorTrap, so that a lost connection only frees its memory.
XDisplayConnection::~XDisplayConnection() { XCloseDisplay(display_); }

bool XDisplayConnection::FindVisual() {
  XVisualInfo info{};
  if (!XMatchVisualInfo(display_, DefaultScreen(display_), kTrueColorDepth, TrueColor, &info)) {
    return false;
  }
  visual_.visual = info.visual;
  visual_.depth = info.depth;
  visual_.redMask = info.red_mask;
  visual_.greenMask = info.green_mask;
  visual_.blueMask = info.blue_mask;
  return true;
}

void XDisplayConnection::WaitForEvents(int milliseconds) {
  if (!alive_ || XPending(display_) > 0) return;
  pollfd connection{ConnectionNumber(display_), POLLIN, 0};
  poll(&connection, 1, milliseconds);
}

void XDisplayConnection::RecordError(unsigned long serial, int code, XResourceId resource) {
  errors_[errorCount_ % kErrorMemory] = ErrorRecord{serial, code, resource};
  ++errorCount_;
}

bool XDisplayConnection::FailedSince(unsigned long serial) const {
  const unsigned long remembered = errorCount_ < kErrorMemory ? errorCount_ : kErrorMemory;
  for (unsigned long i = 0; i < remembered; ++i) {
    if (errors_[i].serial >= serial) return true;
  }
  return false;
}

bool XDisplayConnection::ResourceGoneSince(XResourceId resource, unsigned long serial) const {
  const unsigned long remembered = errorCount_ < kErrorMemory ? errorCount_ : kErrorMemory;
  for (unsigned long i = 0; i < remembered; ++i) {
    const ErrorRecord& e = errors_[i];
    const bool gone = e.code == kBadWindowCode || e.code == kBadDrawableCode;
    if (gone && e.resource == resource && e.serial >= serial) return true;
  }
  return false;
}
