#pragma once
// The barrier at the C boundary between a host and the plug-in. Hosts call in through
// plain function pointers and cannot take an exception back, so every entry point runs its
// work through CallGuarded and answers its failure value instead.

// Returns work(); if work throws anything, returns onFailure() instead. onFailure must not
// throw itself.
template <typename Work, typename Failure>
auto CallGuarded(Work&& work, Failure&& onFailure) noexcept -> decltype(work()) {
  try {
    return work();
  } catch (...) {
    return onFailure();
  }
}
