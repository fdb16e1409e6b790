#pragma once
// A growable heap block with one growth policy for every variable-length thing in the
// system. Growth is by half the size again (at least one granularity step); the block
// shrinks only when asked to and the new size falls well below the allocation. A failed
// allocation keeps the old block and size: callers compare ByteCount() with what they
// asked for.

#include <cstdint>

class IHeapBuffer {
 public:
  static constexpr int kDefaultGranularity = 4096;

  explicit IHeapBuffer(int granularity = kDefaultGranularity);
  ~IHeapBuffer();
  IHeapBuffer(const IHeapBuffer&) = delete;
  IHeapBuffer& operator=(const IHeapBuffer&) = delete;

  // Resizes to n bytes (negative counts as 0). Returns the data pointer, null when the
  // new size is 0 or when no memory could be had (then nothing changed).
  uint8_t* SetByteSize(int n, bool allowShrink);
  // Resizes to n bytes with shrinking allowed; bytes beyond the old size become 0.
  // Returns the old size.
  int ResizeZeroFill(int n);

  uint8_t* Bytes() const { return size_ > 0 ? data_ : nullptr; }
  int ByteCount() const { return size_; }
  int AllocatedBytes() const { return allocated_; }
  int Granularity() const { return granularity_; }

  // Typed view of the used bytes, for buffers that hold an array of T.
  template <typename T>
  T* As() const { return reinterpret_cast<T*>(Bytes()); }

 private:
  int64_t AllocationFor(int n) const;
  int ShrinkThreshold(int n, bool allowShrink) const;
  bool Reallocate(int bytes, int keep);

  uint8_t* data_ = nullptr;
  int allocated_ = 0;
  int size_ = 0;
  int granularity_;
};
