// Feeds arbitrary bytes to the memory PNG decoder: it must never crash, read or write out
// of bounds, or leak, and a decoded bitmap must have the size it reports.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "raster/PngReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int length = size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(size);
  std::unique_ptr<PIX_MemBitmap> bitmap(PIX_ReadPngMemory(data, length));
  if (bitmap) {
    volatile uint32_t sum = 0;
    for (int y = 0; y < bitmap->Height(); ++y) {
      const PIX_PixelValue* row = bitmap->Row(y);
      sum = sum + row[0] + row[bitmap->Width() - 1];
    }
  }
  return 0;
}
