#pragma once
// The row loops on AVX2: eight pixels at a time, for processors that have it.

#include "raster/VectorRowLoops.h"

#if defined(__x86_64__)
namespace pix {
extern const VectorRowLoops kAvx2RowLoops;
}  // namespace pix
#endif
