#pragma once
// A virtual X display of its own for tests that need one: Xvfb on a free display number,
// stopped when the object goes away.

#include <sys/types.h>

#include <string>

class XvfbDisplay {
 public:
  XvfbDisplay();
  ~XvfbDisplay();
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

  // Whether the Xvfb program is on the PATH.
  static bool Installed();
  // True once the server took connections.
  bool Running() const { return !name_.empty(); }
  // The value for DISPLAY, e.g. ":3".
  const std::string& Name() const { return name_; }

 private:
  pid_t server_ = -1;
  std::string name_;
};
