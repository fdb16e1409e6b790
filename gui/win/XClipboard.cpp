#include "gui/win/XClipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <thread>

#include "gui/win/XErrorTrap.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kPollInterval = std::chrono::milliseconds(2);
constexpr long kLongestText = 1L << 22;  // in 32-bit units

std::string Latin1ToUtf8(const std::string& latin1) {
  std::string utf8;
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | byte >> 6);
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

class ClipboardRequest {
 public:
  explicit ClipboardRequest(XDisplayConnection& connection) : connection_(connection) {
    XErrorTrap trap(connection);
    Display* display = connection.Handle();
    window_ = XCreateWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, CopyFromParent,
                            InputOnly, CopyFromParent, 0, nullptr);
    clipboard_ = XInternAtom(display, "CLIPBOARD", False);
    property_ = XInternAtom(display, "TESSALY_CLIPBOARD", False);
    incremental_ = XInternAtom(display, "INCR", False);
  }

  ~ClipboardRequest() {
    XErrorTrap trap(connection_);
    XEvent event;
    while (XCheckTypedWindowEvent(connection_.Handle(), window_, SelectionNotify, &event)) {
    }
    XDestroyWindow(connection_.Handle(), window_);
    XFlush(connection_.Handle());
  }

  bool HasOwner() {
    XErrorTrap trap(connection_);
    return XGetSelectionOwner(connection_.Handle(), clipboard_) != 0 && connection_.Alive();
  }

  // The selection converted to target, as UTF-8 (owners may answer with Latin-1 STRING
  // whatever was asked); false when the owner refuses or does not answer.
  bool Convert(unsigned long target, Clock::time_point deadline, std::string& text) {
    {
      XErrorTrap trap(connection_);
      XConvertSelection(connection_.Handle(), clipboard_, target, property_, window_, CurrentTime);
    }
    XEvent event;
    while (!TakeNotify(event)) {
      if (Clock::now() >= deadline || !connection_.Alive()) return false;
      std::this_thread::sleep_for(kPollInterval);
    }
    Atom type = 0;
    if (event.xselection.property == 0 || !ReadProperty(text, type)) return false;
    if (type == XA_STRING) text = Latin1ToUtf8(text);
    return true;
  }

 private:
  bool TakeNotify(XEvent& event) {
    XErrorTrap trap(connection_);
    return XCheckTypedWindowEvent(connection_.Handle(), window_, SelectionNotify, &event);
  }

  bool ReadProperty(std::string& bytes, Atom& type) {
    XErrorTrap trap(connection_);
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(connection_.Handle(), window_, property_, 0, kLongestText,
                                          True, AnyPropertyType, &type, &format, &count, &remaining,
                                          &data);
    const bool text = status == Success && data != nullptr && format == 8 && type != incremental_;
    if (text) bytes.assign(reinterpret_cast<const char*>(data), count);
    if (data != nullptr) XFree(data);
    return text;
  }

  XDisplayConnection& connection_;
  Window window_ = 0;
  Atom clipboard_ = 0;
  Atom property_ = 0;
  Atom incremental_ = 0;
};
}  // namespace

bool ReadClipboardText(XDisplayConnection& connection, std::string& text, int timeoutMs) {
  text.clear();
  ClipboardRequest request(connection);
  if (!request.HasOwner()) return false;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  unsigned long utf8 = 0;
  {
    XErrorTrap trap(connection);
    utf8 = XInternAtom(connection.Handle(), "UTF8_STRING", False);
  }
  return request.Convert(utf8, deadline, text) || request.Convert(XA_STRING, deadline, text);
}
