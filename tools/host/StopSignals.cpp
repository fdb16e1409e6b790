#include "tools/host/StopSignals.h"

namespace {

volatile sig_atomic_t stopRequested = 0;

extern "C" void RequestStop(int) { stopRequested = 1; }

void Catch(int signalNumber, struct sigaction* previous) {
  sigaction(signalNumber, nullptr, previous);
  if (previous->sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(signalNumber, &action, nullptr);
}

}  // namespace

StopSignals::StopSignals() {
  stopRequested = 0;
  Catch(SIGINT, &previousInterrupt_);
  Catch(SIGTERM, &previousTerminate_);
}

StopSignals::~StopSignals() {
  sigaction(SIGINT, &previousInterrupt_, nullptr);
  sigaction(SIGTERM, &previousTerminate_, nullptr);
}

bool StopSignals::Requested() const { return stopRequested != 0; }
