// Feeds arbitrary bytes to the memory PNG decoder and to the image that decodes on first
// use: neither may crash, read or write out of bounds, or leak; a decoded bitmap must have
// the size it reports, and both must agree.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "raster/PngImage.h"
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
  std::unique_ptr<PIX_PngImage> image(PIX_PngImage::FromMemory(data, length));
  if (!image) return 0;
  const bool imageDecodes = image->PixelData() != nullptr;
  if (imageDecodes != (bitmap != nullptr)) __builtin_trap();
  if (imageDecodes && (image->Width() != bitmap->Width() || image->Height() != bitmap->Height() ||
                       image->Row(image->Height() - 1)[0] != bitmap->Row(bitmap->Height() - 1)[0])) {
    __builtin_trap();
  }
  return 0;
}
