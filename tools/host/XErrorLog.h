#pragma once
// Keeps X protocol errors from ending the program. Xlib's default handler prints the error
// and exits; while an XErrorLog lives, errors from any connection of the process (a
// plug-in's own included, unless it installs a handler of its own) are counted instead
// and the first one is kept. The previous handler comes back when it goes away.

#include <string>

class XErrorLog {
 public:
  XErrorLog();
  ~XErrorLog();
  XErrorLog(const XErrorLog&) = delete;
  XErrorLog& operator=(const XErrorLog&) = delete;

  int Count() const;
  // The first error for people ("BadWindow (invalid Window parameter), request 12.0"),
  // described through display, an X Display*; empty when there was none.
  std::string FirstError(void* display) const;

 private:
  // The previous XErrorHandler, in the one function-pointer type that stands for any.
  void (*previous_)() = nullptr;
};
