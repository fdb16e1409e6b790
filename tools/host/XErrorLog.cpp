#include "tools/host/XErrorLog.h"

#include <X11/Xlib.h>

#include <atomic>

namespace {

// Only plain values are kept: an error handler may not make requests, and the text of an
// error is looked up after the fact.
struct ErrorRecord {
  int code = 0;
  int request = 0;
  int minor = 0;
};

std::atomic<int> errorCount{0};
ErrorRecord firstError;

int RecordError(Display*, XErrorEvent* event) {
  if (errorCount.fetch_add(1) == 0) firstError = {event->error_code, event->request_code, event->minor_code};
  return 0;
}

}  // namespace

XErrorLog::XErrorLog() {
  errorCount = 0;
  previous_ = reinterpret_cast<void (*)()>(XSetErrorHandler(RecordError));
}

XErrorLog::~XErrorLog() { XSetErrorHandler(reinterpret_cast<XErrorHandler>(previous_)); }

int XErrorLog::Count() const { return errorCount; }

std::string XErrorLog::FirstError(void* display) const {
  if (errorCount == 0) return {};
  char text[256] = {};
  XGetErrorText(static_cast<Display*>(display), firstError.code, text, sizeof text);
  return std::string(text) + ", request " + std::to_string(firstError.request) + "." +
         std::to_string(firstError.minor);
}
