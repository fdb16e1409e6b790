#pragma once
// Turns SIGINT and SIGTERM into a request to stop that a loop polls, so that a command can
// end in order (an editor closed, the plug-in closed) instead of being killed. The
// previous handlers come back when the object goes away; a signal the process was started
// ignoring stays ignored.

#include <csignal>

class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // True once one of the signals arrived.
  bool Requested() const;

 private:
  struct sigaction previousInterrupt_ {};
  struct sigaction previousTerminate_ {};
};
