#pragma once
// Size of a pixel block whose rows are padded to a multiple of 4 pixels.

#include <cstdint>

namespace pix {

// Width rounded up to a multiple of 4, without overflow for any int.
inline int64_t PaddedWidth(int width) { return (int64_t{width} + 3) & ~int64_t{3}; }

// Bytes of a width x height block with padded rows; -1 when either side is not positive or
// the block would exceed limit bytes.
inline int64_t PaddedBlockBytes(int width, int height, int64_t limit) {
  if (width <= 0 || height <= 0) return -1;
  const int64_t rowBytes = PaddedWidth(width) * 4;
  return rowBytes > limit / height ? -1 : rowBytes * height;
}

}  // namespace pix
