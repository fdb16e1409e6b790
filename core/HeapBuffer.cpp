#include "core/HeapBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kPage = 4096;
constexpr int kHeapOverhead = 96;  // block size plus this is a whole number of pages
constexpr int kMaxExtra = 4194304;
}  // namespace

IHeapBuffer::IHeapBuffer(int granularity) : granularity_(granularity > 0 ? granularity : 1) {}

IHeapBuffer::~IHeapBuffer() { std::free(data_); }

int64_t IHeapBuffer::AllocationFor(int n) const {
  if (n < 1) return 0;
  int64_t extra = std::max(n / 2, granularity_);
  if (granularity_ < kPage) return n + extra;
  extra = std::clamp<int64_t>(extra / kPage * kPage, kPage, kMaxExtra);
  return (int64_t{n} + kHeapOverhead + extra) / kPage * kPage - kHeapOverhead;
}

int IHeapBuffer::ShrinkThreshold(int n, bool allowShrink) const {
  if (!allowShrink || n >= size_) return 0;
  const int64_t belowSteps = int64_t{allocated_} - 4 * int64_t{granularity_};
  return static_cast<int>(std::max<int64_t>(1, std::min<int64_t>(belowSteps, allocated_ / 2)));
}

bool IHeapBuffer::Reallocate(int bytes, int keep) {
  if (void* grown = std::realloc(data_, static_cast<size_t>(bytes))) {
    data_ = static_cast<uint8_t*>(grown);
    return true;
  }
  // realloc may refuse to move a large block; try a fresh one before giving up.
  auto* fresh = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(bytes)));
  if (fresh == nullptr) return false;
  if (data_ != nullptr && keep > 0) std::memcpy(fresh, data_, static_cast<size_t>(keep));
  std::free(data_);
  data_ = fresh;
  return true;
}

uint8_t* IHeapBuffer::SetByteSize(int n, bool allowShrink) {
  n = std::max(n, 0);
  if (n == size_) return Bytes();
  const int threshold = ShrinkThreshold(n, allowShrink);
  if (n <= allocated_ && n >= threshold) {
    size_ = n;
    return Bytes();
  }
  const int64_t allocation = AllocationFor(n);
  if (allocation == allocated_) {
    size_ = n;
    return Bytes();
  }
  if (allocation <= 0) {
    std::free(data_);
    data_ = nullptr;
    allocated_ = size_ = 0;
    return nullptr;
  }
  // An allocation the size fields cannot describe is a failure like any other.
  if (allocation > INT32_MAX || !Reallocate(static_cast<int>(allocation), std::min(size_, n))) {
    return nullptr;
  }
  allocated_ = static_cast<int>(allocation);
  size_ = n;
  return Bytes();
}

int IHeapBuffer::ResizeZeroFill(int n) {
  const int old = size_;
  SetByteSize(n, true);
  if (size_ > old) std::memset(data_ + old, 0, static_cast<size_t>(size_ - old));
  return old;
}
