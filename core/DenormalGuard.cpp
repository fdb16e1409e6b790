#include "core/DenormalGuard.h"

#if defined(__x86_64__)
#include <xmmintrin.h>

namespace {
// The MXCSR bits of the two modes.
constexpr unsigned int kFlushToZero = 0x8000;
constexpr unsigned int kDenormalsAreZero = 0x0040;
}  // namespace

IDenormalGuard::IDenormalGuard() : savedMode_(_mm_getcsr()) {
  _mm_setcsr(savedMode_ | kFlushToZero | kDenormalsAreZero);
}

IDenormalGuard::~IDenormalGuard() { _mm_setcsr(savedMode_); }

#else

IDenormalGuard::IDenormalGuard() = default;

IDenormalGuard::~IDenormalGuard() = default;

#endif
