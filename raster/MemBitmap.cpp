#include "raster/MemBitmap.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "raster/BitmapSize.h"

namespace {
// Largest usable size: the block (usable bytes plus alignment slack) stays a 32-bit count.
constexpr int64_t kMaxCapacity = INT_MAX - 63;
}  // namespace

PIX_MemBitmap::PIX_MemBitmap(int width, int height) {
  if (width > 0 && height > 0) SetSize(width, height);
}

PIX_MemBitmap::~PIX_MemBitmap() { Release(); }

PIX_PixelValue* PIX_MemBitmap::PixelData() const {
  if (storage_ == nullptr) return nullptr;
  const uintptr_t address = reinterpret_cast<uintptr_t>(storage_);
  const uintptr_t aligned = (address + kAlignment - 1) & ~uintptr_t{kAlignment - 1};
  return reinterpret_cast<PIX_PixelValue*>(storage_ + (aligned - address));
}

void PIX_MemBitmap::Release() {
  std::free(storage_);
  storage_ = nullptr;
  capacity_ = 0;
}

bool PIX_MemBitmap::Reserve(int bytes) {
  if (storage_ == nullptr) {
    storage_ = static_cast<unsigned char*>(std::malloc(size_t(bytes) + kAlignment - 1));
    capacity_ = storage_ != nullptr ? bytes : 0;
    return storage_ != nullptr;
  }
  if (capacity_ >= bytes) return true;
  const int grown = static_cast<int>(std::min<int64_t>(bytes + int64_t{bytes} / 4, kMaxCapacity));
  if (void* moved = std::realloc(storage_, size_t(grown) + kAlignment - 1)) {
    storage_ = static_cast<unsigned char*>(moved);
    capacity_ = grown;
    return true;
  }
  Release();
  return Reserve(bytes);
}

bool PIX_MemBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  // A size too large to allocate counts as an allocation failure.
  const int64_t needed = pix::PaddedBlockBytes(width, height, kMaxCapacity);
  if (needed <= 0 || !Reserve(static_cast<int>(needed))) Release();
  if (storage_ == nullptr) width_ = height_ = 0;
  return true;
}
