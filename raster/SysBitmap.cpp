#include "raster/SysBitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/DeviceContext.h"
#include "raster/BitmapSize.h"

namespace {
// Pixel blocks start on a cache line, like the heap bitmap's rows.
constexpr size_t kAlignment = 64;
// Largest pixel block, in bytes; larger sizes count as an allocation failure.
constexpr int64_t kMaxBytes = INT32_MAX;
}  // namespace

PIX_SysBitmap::PIX_SysBitmap(int width, int height)
    : context_(new (std::nothrow) ::DeviceContext()) {
  SetSize(width, height);
}

PIX_SysBitmap::~PIX_SysBitmap() {
  ReleasePixels();
  delete context_;
}

void PIX_SysBitmap::ReleasePixels() {
  if (pixels_ == nullptr) return;
  // Give the context back the target it had before ours, then free the block.
  context_->SelectTarget(previousTarget_);
  previousTarget_ = {};
  std::free(pixels_);
  pixels_ = nullptr;
}

bool PIX_SysBitmap::SetSize(int width, int height) {
  if (context_ == nullptr) {
    width_ = height_ = 0;
    pixels_ = nullptr;
    return false;
  }
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  if (width != 0 && height != 0 && width <= allocatedWidth_ && height <= allocatedHeight_ &&
      pixels_ != nullptr) {
    return true;
  }
  allocatedHeight_ = height;
  allocatedWidth_ = static_cast<int>(std::min<int64_t>(pix::PaddedWidth(width), INT32_MAX & ~3));
  ReleasePixels();
  if (allocatedWidth_ < 1 || height < 1) return false;

  // A size too large to allocate counts as an allocation failure.
  const int64_t bytes = pix::PaddedBlockBytes(width, height, kMaxBytes);
  if (bytes > 0) {
    const size_t rounded = (size_t(bytes) + kAlignment - 1) & ~(kAlignment - 1);
    pixels_ = static_cast<PIX_PixelValue*>(std::aligned_alloc(kAlignment, rounded));
  }
  if (pixels_ == nullptr) {
    width_ = height_ = 0;
    return true;
  }
  // A fresh surface starts black and transparent.
  std::memset(pixels_, 0, size_t(bytes));
  previousTarget_ = context_->SelectTarget({pixels_, allocatedWidth_, allocatedHeight_,
                                            allocatedWidth_});
  return true;
}
