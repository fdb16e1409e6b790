#pragma once
// A short stretch of Xlib use on the shared connection: it holds the connection's lock,
// and for its duration a process-wide I/O error handler that lets a lost connection of
// ours pass instead of exiting (errors of other connections go to the handler it
// replaced, which it puts back at the end). Sync() tells whether a request made within
// the stretch failed.

#include <mutex>

class XDisplayConnection;
struct _XDisplay;

class XErrorTrap {
 public:
  explicit XErrorTrap(XDisplayConnection& connection);
  ~XErrorTrap();
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;

  // Waits until the server handled every request; true when none made since the trap was
  // set failed and the connection is alive.
  bool Sync();
  // The number of the first request made within the trap.
  unsigned long FirstSerial() const { return firstSerial_; }

 private:
  std::lock_guard<std::recursive_mutex> lock_;
  XDisplayConnection& connection_;
  unsigned long firstSerial_;
  int (*previousHandler_)(_XDisplay*);
};
