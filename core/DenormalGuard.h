#pragma once
// Processing without subnormal numbers. Under flush-to-zero a result too small for a
// normal number becomes zero, and under denormals-are-zero a subnormal operand reads as
// zero, so a decaying signal neither takes the processor's slow path nor reaches the host
// as subnormal samples.

// Turns both modes on for its lifetime and gives the caller's mode back when it ends.
// Only x86-64 has these modes; elsewhere it does nothing.
class IDenormalGuard {
 public:
  IDenormalGuard();
  ~IDenormalGuard();
  IDenormalGuard(const IDenormalGuard&) = delete;
  IDenormalGuard& operator=(const IDenormalGuard&) = delete;

 private:
  [[maybe_unused]] unsigned int savedMode_ = 0;
};
