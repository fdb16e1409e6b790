#pragma once
// A zero-terminated text in a growable heap block (granularity 128). When not empty, its
// used bytes always end in a zero byte.

#include "core/HeapBuffer.h"

class ITextBuffer {
 public:
  static constexpr int kGranularity = 128;

  ITextBuffer() : buffer_(kGranularity) {}
  ITextBuffer(const ITextBuffer&) = delete;
  ITextBuffer& operator=(const ITextBuffer&) = delete;

  int Length() const;
  // The text, or "" when nothing is stored.
  const char* Text() const;
  // Writes n bytes at position index and ends the text after them; the bytes may lie in
  // this buffer's own block. Negative n or index does nothing.
  void WriteAt(int index, const char* bytes, int n);
  // Copies text up to its terminator, or at most limit bytes when limit >= 1. Null empties.
  void Set(const char* text, int limit = 0);
  void AppendLimited(const char* text, int limit = 0);
  int ByteCount() const { return buffer_.ByteCount(); }

 private:
  IHeapBuffer buffer_;
};
