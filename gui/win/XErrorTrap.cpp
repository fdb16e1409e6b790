#include "gui/win/XErrorTrap.h"

#include <X11/Xlib.h>

#include "gui/win/XDisplayConnection.h"

namespace {
XIOErrorHandler hostHandler = nullptr;
Display* trappedDisplay = nullptr;

// Returning lets Xlib go on with a dead connection, which then answers every request
// with a failure; the connection's exit hook marks it dead.
int PassLostConnection(Display* display) {
  if (display != trappedDisplay && hostHandler != nullptr) return hostHandler(display);
  return 0;
}
}  // namespace

XErrorTrap::XErrorTrap(XDisplayConnection& connection)
    : lock_(XDisplayConnection::Lock()),
      connection_(connection),
      firstSerial_(NextRequest(connection.Handle())),
      previousHandler_(XSetIOErrorHandler(&PassLostConnection)) {
  if (previousHandler_ != &PassLostConnection) {
    hostHandler = previousHandler_;
    trappedDisplay = connection.Handle();
  }
}

XErrorTrap::~XErrorTrap() {
  XSetIOErrorHandler(previousHandler_);
  if (previousHandler_ != &PassLostConnection) {
    hostHandler = nullptr;
    trappedDisplay = nullptr;
  }
}

bool XErrorTrap::Sync() {
  if (connection_.Alive()) XSync(connection_.Handle(), False);
  return connection_.Alive() && !connection_.FailedSince(firstSerial_);
}
